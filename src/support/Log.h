#pragma once

#include <QString>

namespace fenster {

// The monthly log beside the executable. Every failure to write is
// swallowed: logging never interferes with the program.

// Sets up the module (computer name, log folder, line infix) and writes the
// "Startup:" line. Call once before any window exists.
void LogStartup();

// Appends one line when level is not above the threshold (10). Each line is
// a separate open-append-close, so several running instances can share a file.
void LogLine(const QString& text, int level = 1);

// Writes the "Stop" line and clears the module state.
void LogStop();

// The program's file version, a build-time constant.
QString ProgramVersion();

// The machine's name, at most 15 characters; empty when it cannot be read.
QString ComputerName();

} // namespace fenster
