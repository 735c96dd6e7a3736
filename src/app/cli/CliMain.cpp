#include "CliCommands.h"

#include "Log.h"

#include <iostream>

namespace fenster {
namespace {

void printUsage(std::ostream& out)
{
    out << "Usage: fensterdaten-cli COMMAND [ARGUMENTS]\n"
           "       fensterdaten-cli COMMAND --help\n"
           "       fensterdaten-cli --help | --version\n"
           "\n"
           "Works on window descriptions, the one-line texts of Fensterdaten's window\n"
           "files (*.Fnt), e.g. \"1000,1000,1,1000,1,1000,L,F;\".\n"
           "\n"
           "Commands:\n";
    for (const CliCommand& command : CliCommands()) {
        std::string head = "  " + std::string(command.name) + " " + std::string(command.arguments);
        if (head.size() < 24)
            head.resize(24, ' ');
        else
            head += "\n" + std::string(24, ' ');
        out << head << command.summary << '\n';
    }
    out << "\n"
           "Exit status: 0 done, 1 wrong usage, 2 a description or file that cannot be read.\n";
}

bool isHelp(const std::string& argument)
{
    return argument == "--help" || argument == "-h";
}

int run(const std::vector<std::string>& arguments, CliContext& context)
{
    if (arguments.empty()) {
        printUsage(context.err);
        return CliExitUsage;
    }
    const std::string& first = arguments.front();
    if (isHelp(first) || first == "help") {
        printUsage(context.out);
        return CliExitOk;
    }
    if (first == "--version") {
        context.out << "fensterdaten-cli " << ProgramVersion().toStdString() << '\n';
        return CliExitOk;
    }
    for (const CliCommand& command : CliCommands()) {
        if (command.name != first)
            continue;
        const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
        if (!rest.empty() && isHelp(rest.front())) {
            context.out << "Usage: fensterdaten-cli " << command.name << ' ' << command.arguments << "\n\n"
                        << command.details << '\n';
            return CliExitOk;
        }
        return command.run(rest, context);
    }
    context.err << "fensterdaten-cli: unknown command \"" << first << "\" (see --help)\n";
    return CliExitUsage;
}

} // namespace
} // namespace fenster

int main(int argc, char* argv[])
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    fenster::CliContext context{std::cin, std::cout, std::cerr};
    try {
        const int status = fenster::run(arguments, context);
        std::cout.flush();
        return std::cout ? status : fenster::CliExitBadInput;
    } catch (const std::exception& error) {
        std::cerr << "fensterdaten-cli: " << error.what() << '\n';
        return fenster::CliExitBadInput;
    }
}
