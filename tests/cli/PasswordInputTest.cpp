// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/PasswordInput.h"

#include "PseudoTerminal.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <thread>

namespace {

bool echoes(int terminal)
{
    termios settings{};
    tcgetattr(terminal, &settings);
    return (settings.c_lflag & ECHO) != 0;
}

TEST(PasswordInput, TerminalLineIsReadWithoutEcho)
{
    const PseudoTerminal pty;
    if (!pty.unavailable().empty())
        GTEST_SKIP() << pty.unavailable();
    const int terminal = ::open(pty.name().constData(), O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && echoes(terminal));

    std::optional<QByteArray> line;
    std::thread reader([&] { line = cindral::cli::readHiddenLine(terminal, "Password: "); });
    // Typed once the prompt shows, as a person would; echo is off by then.
    EXPECT_EQ(pty.shownUntil("Password: "), "Password: ");
    ASSERT_TRUE(pty.type("s3cret pass\n"));
    reader.join();

    EXPECT_EQ(line, QByteArray("s3cret pass"));
    EXPECT_TRUE(echoes(terminal));
    EXPECT_EQ(pty.shownUntil("\r\n"), "\r\n");
    ::close(terminal);
}

} // namespace
