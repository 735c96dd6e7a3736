#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fenster {

// Exit statuses of fensterdaten-cli.
inline constexpr int CliExitOk = 0;
inline constexpr int CliExitUsage = 1;     // unknown command or option, wrong arguments
inline constexpr int CliExitBadInput = 2;  // a description that does not read, an unreadable file

// The streams a command works on; main passes the process's own.
struct CliContext {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// One command: `fensterdaten-cli <name> <arguments>`. run gets the arguments
// after the name and returns the exit status.
struct CliCommand {
    std::string_view name;
    std::string_view arguments;  // for the usage line, e.g. "[FILE|-]"
    std::string_view summary;    // one line for --help
    std::string_view details;    // further lines for `<name> --help`
    int (*run)(const std::vector<std::string>& arguments, CliContext& context);
};

// Every command, in the order --help lists them (CliCommandTable.cpp).
std::span<const CliCommand> CliCommands();

// The commands.
int CliNormalize(const std::vector<std::string>& arguments, CliContext& context);
int CliRender(const std::vector<std::string>& arguments, CliContext& context);
int CliLayout(const std::vector<std::string>& arguments, CliContext& context);
int CliTrace(const std::vector<std::string>& arguments, CliContext& context);

} // namespace fenster
