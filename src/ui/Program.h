// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>
#include <QStringList>
#include <optional>

namespace cindral::ui {

// The program's arguments after its name, as the bytes they were given as.
[[nodiscard]] QByteArrayList programArguments(int argc, const char* const argv[]);

// Answers what needs no window, before Qt looks for a display: --help and --version on standard
// output, and where there is no display to show the window on, one line on standard error that
// says so. The exit status when the program is to end at once; nothing when it is to start.
[[nodiscard]] std::optional<int> answerWithoutWindow(const QByteArrayList& arguments);

// Finishes what a crash left of the saves of an earlier run (see InterruptedSaves), before
// anything else, and tells each on standard error. Gives the lines of the saves it could not
// finish, for the window to show once it is up.
[[nodiscard]] QStringList settleInterruptedSaves();

// Runs the program from its start-up window to its end: shows the splash window, runs the
// event loop until the program ends, and frees the windows still open. The arguments (after Qt
// has taken its own) may name one file, which starts out chosen; anything else is refused on
// standard error. The main window shows `keptTexts` once it is up. Needs a QApplication. Returns
// the exit status.
[[nodiscard]] int runProgram(const QByteArrayList& arguments = {},
                             const QStringList& keptTexts = {});

} // namespace cindral::ui
