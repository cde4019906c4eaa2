// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PlatformChoice.h"

#include <QByteArray>
#include <QtGlobal>

namespace cindral::ui {

void choosePlatform()
{
    // Qt takes an empty QT_QPA_PLATFORM as unset; an empty DISPLAY names no X server.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}

} // namespace cindral::ui
