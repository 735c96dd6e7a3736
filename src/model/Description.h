#pragma once

#include "Window.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace fenster {

// The writer: positions the model on the selection (row and field counted
// from 1), stores OverallHeight and OverallWidth in it, and returns the
// one-line description, e.g. "1000,500,1,1000,1,500,F;" for a new window.
// The cursors are left on the selection.
std::string WriteDescription(TFenster& window, int selectedRow, int selectedField);

// What the editor's reader made of a text. model is never null: on an error
// it holds everything read up to the faulty token, the rest at the defaults
// of a new window, and error holds the message to show.
struct ReadResult {
    std::unique_ptr<TFenster> model;
    std::optional<std::string> error;

    bool ok() const { return !error.has_value(); }
};

// The editor's reader: builds a new model from text. Every number goes
// through the strict integer conversion; the first one that fails stops the
// read with "''<token>'' ist kein gültiger Integer-Wert" (UTF-8). A row or
// field count outside 1..MaxDescriptionCount stops it with
// "''<token>'' ist keine gültige Anzahl (1 bis 999)". Options are applied in
// their order in the text; empty options and unknown letters are skipped; a
// missing final ";" is accepted; text after the last announced field is
// ignored. Time and memory are bounded by the length of text and the count
// limit, whatever the text holds.
ReadResult ReadDescription(std::string_view text);

// The two error messages of the reader, for the token as it stood in the text.
std::string InvalidIntegerMessage(std::string_view token);
std::string InvalidCountMessage(std::string_view token);

} // namespace fenster
