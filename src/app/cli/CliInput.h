#pragma once

#include "CliCommands.h"

#include <optional>
#include <string>

namespace fenster {

// Files above this size are not texts of this program and are refused.
inline constexpr std::size_t CliMaxInputBytes = 16u << 20;

// Reads the text named by a command's FILE argument ("-" or empty: standard
// input) the way the editor loads a text file: a UTF-8 or UTF-16 byte-order
// mark selects that encoding, other bytes are Windows-1252; the result is
// UTF-8 with every line break as CR LF and one final line break dropped.
// On failure prints a message naming the file on context.err and returns
// nullopt.
std::optional<std::string> ReadCliInput(const std::string& path, CliContext& context);

// The conversion ReadCliInput applies to the bytes read.
std::string DecodeTextFileBytes(std::string_view bytes);

} // namespace fenster
