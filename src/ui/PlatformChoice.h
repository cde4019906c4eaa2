// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>

// Which window system the program shows its windows on. Wayland compositors place every window
// themselves, so there the windows could not stand centred nor the splash in front; an X server
// (XWayland on a Wayland desktop) lets the program place them.
namespace cindral::ui {

// When an X server is named (DISPLAY) and the user has not chosen a platform (QT_QPA_PLATFORM),
// sets QT_QPA_PLATFORM to X11 first, with Wayland behind it should that server have gone away;
// otherwise leaves Qt's own choice. Must run before the QApplication is constructed.
void choosePlatform();

// Whether there is somewhere to show a window, as far as can be told before Qt starts: a display
// named by DISPLAY, WAYLAND_DISPLAY or Qt's -display option, or a platform the user chose
// (QT_QPA_PLATFORM or Qt's -platform option), which may need none. Without any of them Qt finds
// no platform and aborts. The arguments are the program's, before Qt has taken its own.
[[nodiscard]] bool canShowWindows(const QByteArrayList& arguments);

} // namespace cindral::ui
