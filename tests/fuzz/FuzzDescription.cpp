// Feeds arbitrary text to the editor's reader. Besides crashes, leaks and
// undefined behaviour it checks that whatever the reader accepts, the writer
// turns into a text that reads back to itself.

#include "Description.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fenster::ReadResult result = fenster::ReadDescription(text);
    if (!result.model)
        std::abort();
    if (!result.ok()) {
        if (result.error->empty())
            std::abort();
        // A partly built model is still a whole model.
        (void)fenster::WriteDescription(*result.model, 1, 1);
        return 0;
    }
    const std::string written = fenster::WriteDescription(*result.model, 1, 1);
    fenster::ReadResult again = fenster::ReadDescription(written);
    if (!again.ok() || fenster::WriteDescription(*again.model, 1, 1) != written) {
        std::fprintf(stderr, "not stable: %s\n", written.c_str());
        std::abort();
    }
    return 0;
}
