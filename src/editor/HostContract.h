#pragma once

// What a host program relies on when it starts the editor: the exit codes
// and the one line on standard output that tells it the description was
// unusable.

namespace fenster {

// The description could not be drawn (a field width that is not a number).
inline constexpr int kExitDataFileError = 137;
// Any other failure of a render-only run, or a refused request.
inline constexpr int kExitFailed = 2;
inline constexpr int kExitDone = 0;

// Printed on standard output, followed by a line break, before exit code 137.
inline constexpr const char* kDataFileErrorLine = "Fehler in Datendatei!";

} // namespace fenster
