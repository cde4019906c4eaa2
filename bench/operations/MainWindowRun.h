// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ChildRun.h"

#include <QByteArray>

enum class Operation
{
    Encrypt,
    Decrypt,
};

// What the window's event loop does while the operation works: it runs a few times a second, as
// in the program, or it is held until the end, as it was before the window showed the work.
enum class EventLoop
{
    Runs,
    Held,
};

// Runs the operation on `path` through the program's own main window, pressed as a user would
// press its button, on the platform QT_QPA_PLATFORM names (offscreen when it names none). The
// clock starts once the window has been drawn; true when the operation ended with its success
// box alone. `progressSeconds` is the time the window spent on the work's progress, the event
// loop it let run included.
[[nodiscard]] bool runThroughMainWindow(Operation operation, EventLoop eventLoop,
                                        const QByteArray& path, const QByteArray& password,
                                        qsizetype pieceSize, const StartClock& startClock,
                                        double& progressSeconds);
