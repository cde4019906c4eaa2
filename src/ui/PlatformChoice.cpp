// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PlatformChoice.h"

#include <QByteArray>
#include <QtGlobal>

namespace cindral::ui {

namespace {

// Qt takes an option with one hyphen or two, and its value from the next argument, wherever it
// stands.
bool hasQtOption(const QByteArrayList& arguments, QByteArrayView option)
{
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        if (argument.startsWith("--") ? argument.sliced(1) == option : argument == option)
            return true;
    }
    return false;
}

} // namespace

void choosePlatform()
{
    // Qt takes an empty QT_QPA_PLATFORM as unset; an empty DISPLAY names no X server.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}

bool canShowWindows(const QByteArrayList& arguments)
{
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    }
    return hasQtOption(arguments, "-platform") || hasQtOption(arguments, "-display");
}

} // namespace cindral::ui
