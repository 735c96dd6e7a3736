#include "CliCommands.h"

namespace fenster {

// A new command is a function in its own Cli<Name>.cpp, declared in
// CliCommands.h, with one line here.
static const CliCommand kCommands[] = {
    {"normalize", "[FILE|-]",
        "read a window description and print it as the editor writes it",
        "Reads the description in FILE, or standard input for \"-\" or no FILE, with the\n"
        "editor's reader and prints what the editor's writer makes of it, on one line.\n"
        "A description that does not read prints the reader's message on standard error\n"
        "and exits with status 2, as does a file that cannot be read.",
        CliNormalize},
};

std::span<const CliCommand> CliCommands()
{
    return kCommands;
}

} // namespace fenster
