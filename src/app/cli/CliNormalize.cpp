#include "CliCommands.h"
#include "CliInput.h"

#include "Description.h"

#include <iostream>

namespace fenster {

int CliNormalize(const std::vector<std::string>& arguments, CliContext& context)
{
    if (arguments.size() > 1) {
        context.err << "fensterdaten-cli: normalize takes at most one FILE\n";
        return CliExitUsage;
    }
    const std::optional<std::string> text = ReadCliInput(arguments.empty() ? std::string() : arguments[0], context);
    if (!text)
        return CliExitBadInput;
    ReadResult result = ReadDescription(*text);
    if (!result.ok()) {
        context.err << *result.error << '\n';
        return CliExitBadInput;
    }
    context.out << WriteDescription(*result.model, 1, 1) << '\n';
    return CliExitOk;
}

} // namespace fenster
