// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/InterruptedSaves.h"
#include "ui/PlatformChoice.h"
#include "ui/Program.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (const auto status =
            cindral::ui::answerInformationRequest(cindral::ui::programArguments(argc, argv)))
        return *status;
    // The window has nothing to say of a save it finished; one it cannot finish is told once.
    for (const cindral::InterruptedSave& save : cindral::finishInterruptedSaves()) {
        if (!save.keptIn.isEmpty())
            std::fputs(cindral::lineOf(save).constData(), stderr);
    }
    cindral::ui::choosePlatform();
    QApplication app(argc, argv);
    // The splash window is the start-up window: it brings up the main window.
    return cindral::ui::runProgram(cindral::ui::programArguments(argc, argv));
}
