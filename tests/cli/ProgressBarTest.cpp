// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ProgressBar.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

constexpr qint64 mib = 1 << 20;

// What the terminal was sent since the last call.
QByteArray sent(QBuffer& terminal)
{
    QByteArray data = terminal.data();
    terminal.buffer().clear();
    terminal.seek(0);
    return data;
}

// Quiet for the first second, so a small file shows nothing; then redrawn in place at most ten
// times a second, and wiped before the next line is written.
TEST(ProgressBar, ShowsOnlyForLongWorkAndWipesItself)
{
    QBuffer terminal;
    terminal.open(QIODevice::WriteOnly);
    qint64 now = 0;
    cindral::cli::ProgressBar bar(terminal, [&now] { return now; });

    now = 999;
    bar.update(10 * mib, 100 * mib);
    bar.clear();
    EXPECT_EQ(sent(terminal), "");

    now = 1000;
    bar.update(50 * mib, 100 * mib);
    EXPECT_EQ(sent(terminal), "\r[###############---------------]  50%  50.0 MiB/s\x1b[K");
    now = 1099;
    bar.update(60 * mib, 100 * mib);
    EXPECT_EQ(sent(terminal), "");
    now = 2000;
    bar.update(100 * mib, 100 * mib, "7 of 7 files  ");
    EXPECT_EQ(sent(terminal),
              "\r7 of 7 files  [##############################] 100%  50.0 MiB/s\x1b[K");

    bar.clear();
    EXPECT_EQ(sent(terminal), "\r\x1b[K");
    bar.clear();
    EXPECT_EQ(sent(terminal), "");
}

} // namespace
