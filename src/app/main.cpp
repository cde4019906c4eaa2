// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PlatformChoice.h"
#include "ui/Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const auto status =
            cindral::ui::answerWithoutWindow(cindral::ui::programArguments(argc, argv)))
        return *status;
    const QStringList keptTexts = cindral::ui::settleInterruptedSaves();
    cindral::ui::choosePlatform();
    QApplication app(argc, argv);
    // The splash window is the start-up window: it brings up the main window.
    return cindral::ui::runProgram(cindral::ui::programArguments(argc, argv), keptTexts);
}
