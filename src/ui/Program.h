#pragma once

namespace cindral::ui {

// Runs the program from its start-up window to its end: shows the splash window, runs the
// event loop until the program ends, and frees the windows still open. Needs a QApplication.
// Returns the event loop's exit code.
[[nodiscard]] int runProgram();

} // namespace cindral::ui
