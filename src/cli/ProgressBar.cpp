// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ProgressBar.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace cindral::cli {

namespace {

constexpr qint64 quietMilliseconds = 1000; // work shorter than this shows no bar
constexpr qint64 redrawMilliseconds = 100;
constexpr int barWidth = 30;
constexpr double bytesPerMiB = 1024.0 * 1024.0;

QByteArray barLine(qint64 done, qint64 total, qint64 elapsedMilliseconds)
{
    const double fraction = total > 0 ? std::min(1.0, static_cast<double>(done) / total) : 1.0;
    const int filled = static_cast<int>(fraction * barWidth);
    const double mibPerSecond = static_cast<double>(done) / bytesPerMiB /
                                (static_cast<double>(elapsedMilliseconds) / 1000.0);
    return '[' + QByteArray(filled, '#') + QByteArray(barWidth - filled, '-') + "] " +
           QByteArray::number(static_cast<int>(fraction * 100)).rightJustified(3) + "%  " +
           QByteArray::number(mibPerSecond, 'f', 1) + " MiB/s";
}

} // namespace

ProgressBar::ProgressBar(QIODevice& terminal, Clock clock)
    : m_terminal(terminal), m_clock(std::move(clock)), m_start(m_clock())
{}

void ProgressBar::update(qint64 done, qint64 total, const QByteArray& label)
{
    const qint64 now = m_clock();
    const qint64 elapsed = now - m_start;
    if (elapsed < quietMilliseconds || (m_lastDrawn >= 0 && now - m_lastDrawn < redrawMilliseconds))
        return;
    m_lastDrawn = now;
    m_shown = true;
    m_terminal.write("\r" + label + barLine(done, total, elapsed) + "\x1b[K");
}

void ProgressBar::clear()
{
    if (std::exchange(m_shown, false))
        m_terminal.write("\r\x1b[K");
}

ProgressBar::Clock ProgressBar::steadyClock()
{
    return [] {
        const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
    };
}

} // namespace cindral::cli
