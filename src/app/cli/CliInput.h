#pragma once

#include "CliCommands.h"

#include <optional>
#include <string>

namespace fenster {

// Reads the text named by a command's FILE argument ("-" or empty: standard
// input) the way the editor loads a text file (DecodeTextBytes): UTF-8 with
// every line break as CR LF and one final line break dropped. A file must
// be a regular file of at most 16 MiB, and so must standard input's text.
// On failure prints a message naming the file on context.err and returns
// nullopt.
std::optional<std::string> ReadCliInput(const std::string& path, CliContext& context);

} // namespace fenster
