#pragma once

#include <string_view>

namespace fenster {

// Token rules of the window description that the editor's reader and the
// drawing engine's reader share.
//
// The text: overall height, overall width, row count; then per row (bottom
// first) its height and field count; then per field (left first) its width
// and at least one option. Every token is followed by ","; the last option of
// a field by ";" instead. Letters are case-sensitive.

// Option letters, in the order the writer emits them.
namespace Option {
inline constexpr char LeftHinged = 'L';
inline constexpr char RightHinged = 'R';
inline constexpr char FixedGlazing = 'V';
inline constexpr char Sash = 'F';
inline constexpr char Tiltable = 'K';
inline constexpr char Swinging = 'S';
inline constexpr char Sliding = 'Z';
inline constexpr char Handle = 'G';
inline constexpr char Mirrored = 'A';
inline constexpr char RollerShutterBox = 'J';
inline constexpr char SillConnection = 'B';
inline constexpr char OpensOutward = 'a';
inline constexpr char InsectScreen = 'g';
inline constexpr char PleatedBlind = 'p';
// Keyed values: letter, a second character (":" as written, never looked
// at) and an integer.
inline constexpr char VerticalMuntins = 'v';
inline constexpr char HorizontalMuntins = 'h';
inline constexpr char BaseType = 'T';
inline constexpr char Height1 = 'r';
inline constexpr char ExtraHeight = 'e';
inline constexpr char Height2 = 'b';
} // namespace Option

inline constexpr char TokenSeparator = ',';
inline constexpr char FieldEnd = ';';

// The value part of a keyed option: everything from its third character on,
// empty when the option is shorter.
constexpr std::string_view KeyedValue(std::string_view option)
{
    return option.size() > 2 ? option.substr(2) : std::string_view();
}

// The most rows, and the most fields in one row, that the editor's reader
// accepts. Larger or non-positive counts are rejected with an error, so that
// a damaged text can neither empty the model nor make it grow without bound.
inline constexpr int MaxDescriptionCount = 999;

} // namespace fenster
