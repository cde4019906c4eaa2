// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/LongWork.h"

#include "ui/StatusBar.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <utility>

namespace cindral::ui {

namespace {

constexpr qint64 quietMilliseconds = 500; // work shorter than this shows no share
constexpr qint64 runEveryMilliseconds = 200;

// The whole percentage, rounded down: "100%" only once the last byte has been read.
[[nodiscard]] QString shareDone(qint64 done, qint64 total)
{
    const qint64 percent = total > 0 ? std::clamp<qint64>(done * 100 / total, 0, 100) : 100;
    return QStringLiteral("%1%").arg(percent);
}

} // namespace

LongWork::LongWork(Clock clock) : m_clock(std::move(clock)) {}

void LongWork::start()
{
    m_start = m_clock();
    m_lastRun = m_start;
}

void LongWork::progress(qint64 done, qint64 total, StatusBar& statusBar)
{
    const qint64 now = m_clock();
    if (now - m_lastRun < runEveryMilliseconds)
        return;
    m_lastRun = now;
    if (now - m_start > quietMilliseconds)
        statusBar.setSecondPanelText(shareDone(done, total));
    QCoreApplication::processEvents();
}

LongWork::Clock LongWork::steadyClock()
{
    return [] {
        const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
    };
}

} // namespace cindral::ui
