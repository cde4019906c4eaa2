// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <functional>

namespace cindral::ui {

class StatusBar;

// An operation's work through a file, as the window lives it: a few times a second the event
// loop runs once, so the window paints, its clock ticks and it answers the desktop; once the
// work has taken more than about half a second the status bar's second panel shows the share
// done. A small file sees neither. The input the loop meets is for InputRefusal to stop.
class LongWork
{
public:
    // Milliseconds from any fixed start; steady. Read once as the work starts and once a piece,
    // so a test's clock can make every piece take as long as it likes.
    using Clock = std::function<qint64()>;

    explicit LongWork(Clock clock);

    void start();
    // After every piece: `done` of the file's `total` bytes have been worked through.
    void progress(qint64 done, qint64 total, StatusBar& statusBar);

    [[nodiscard]] static Clock steadyClock();

private:
    Clock m_clock;
    qint64 m_start = 0;
    qint64 m_lastRun = 0;
};

} // namespace cindral::ui
