// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QtGlobal>
#include <functional>

namespace cindral::cli {

// A one-line bar on a terminal, redrawn in place as a file is worked on:
//   "[###########-------------------]  37%  412.0 MiB/s"
// It shows only once the work has taken about a second, so small files print nothing, and is
// wiped before any other line is written.
class ProgressBar
{
public:
    // Milliseconds from any fixed start; steady.
    using Clock = std::function<qint64()>;

    explicit ProgressBar(QIODevice& terminal, Clock clock = steadyClock());

    // `label` goes before the bar ("12 of 2000 files, 0.1 of 7.4 MiB  ").
    void update(qint64 done, qint64 total, const QByteArray& label = {});
    // Wipes the bar, if it shows, so the cursor stands at the start of an empty line.
    void clear();

    [[nodiscard]] static Clock steadyClock();

private:
    QIODevice& m_terminal;
    Clock m_clock;
    qint64 m_start;
    qint64 m_lastDrawn = -1;
    bool m_shown = false;
};

} // namespace cindral::cli
