#include "cli/PasswordInput.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
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
    char shown[64] = {};
    EXPECT_EQ(QByteArray(shown, ::read(master, shown, sizeof shown)), "Password: \r\n");
    ::close(terminal);
    ::close(master);
}

} // namespace
