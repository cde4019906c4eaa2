// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QEvent;

namespace cindral::ui {

// While it lives, the user's input (keys, the pointer, shortcuts, typing through an input
// method, drag and drop) reaches only modal windows, such as an operation's message boxes;
// every other window drops it. An operation that lets the event loop run thus still starts
// nothing else, and nothing is left over to be delivered once it has ended.
class InputRefusal : public QObject
{
    Q_OBJECT

public:
    InputRefusal();
    ~InputRefusal() override;
    InputRefusal(const InputRefusal&) = delete;
    InputRefusal& operator=(const InputRefusal&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace cindral::ui
