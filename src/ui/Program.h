// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>
#include <optional>

namespace cindral::ui {

// The program's arguments after its name, as the bytes they were given as.
[[nodiscard]] QByteArrayList programArguments(int argc, const char* const argv[]);

// Answers what needs no window, before Qt looks for a display: --help and --version on standard
// output, and where there is no display to show the window on, one line on standard error that
// says so. The exit status when the program is to end at once; nothing when it is to start.
[[nodiscard]] std::optional<int> answerWithoutWindow(const QByteArrayList& arguments);

// Finishes the saves in place that a crash interrupted (see InterruptedSaves), before anything
// else. The window has nothing to say of one it finished; one it cannot finish is told once, on
// standard error.
void finishInterruptedSaves();

// Runs the program from its start-up window to its end: shows the splash window, runs the
// event loop until the program ends, and frees the windows still open. The arguments (after Qt
// has taken its own) may name one file, which starts out chosen; anything else is refused on
// standard error. Needs a QApplication. Returns the exit status.
[[nodiscard]] int runProgram(const QByteArrayList& arguments = {});

} // namespace cindral::ui
