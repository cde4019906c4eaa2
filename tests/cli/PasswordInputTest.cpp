#include "cli/PasswordInput.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

bool echoes(int terminal)
{
    termios settings{};
    tcgetattr(terminal, &settings);
    return (settings.c_lflag & ECHO) != 0;
}

// What the terminal shows, up to `length` bytes. The pseudo-terminal passes on what was written
// to it a little later and in parts, so this waits for them rather than reading once.
QByteArray shownOn(int master, qsizetype length)
{
    QByteArray shown;
    pollfd ready = {master, POLLIN, 0};
    while (shown.size() < length && ::poll(&ready, 1, 10000) == 1) {
        char part[64];
        const ssize_t got = ::read(master, part, sizeof part);
        if (got <= 0)
            break;
        shown.append(part, got);
    }
    return shown;
}

// A pseudo-terminal stands in for the user's: the test types on its master side.
TEST(PasswordInput, TerminalLineIsReadWithoutEcho)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const int terminal = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && echoes(terminal));

    std::optional<QByteArray> line;
    std::thread reader([&] { line = cindral::cli::readHiddenLine(terminal, "Password: "); });
    while (echoes(terminal)) // typed only once echo is off, as a person would after the prompt
        std::this_thread::yield();
    ASSERT_EQ(::write(master, "s3cret pass\n", 12), 12);
    reader.join();

    EXPECT_EQ(line, QByteArray("s3cret pass"));
    EXPECT_TRUE(echoes(terminal));
    EXPECT_EQ(shownOn(master, 12), "Password: \r\n");
    ::close(terminal);
    ::close(master);
}

} // namespace
