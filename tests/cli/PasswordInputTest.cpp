#include "cli/PasswordInput.h"

#include <QBuffer>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using cindral::cli::readHiddenLine;

namespace {

// A pseudo-terminal stands in for the user's terminal.
class Terminal
{
public:
    Terminal() : m_master(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0) {
            m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
        }
    }
    ~Terminal()
    {
        ::close(m_slave);
        ::close(m_master);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    [[nodiscard]] int slave() const { return m_slave; }
    [[nodiscard]] bool echoes() const
    {
        termios settings{};
        tcgetattr(m_slave, &settings);
        return (settings.c_lflag & ECHO) != 0;
    }
    void type(QByteArrayView keys) const
    {
        ASSERT_EQ(::write(m_master, keys.data(), keys.size()), keys.size());
    }
    [[nodiscard]] QByteArray shown() const
    {
        QByteArray bytes;
        pollfd ready{m_master, POLLIN, 0};
        char buffer[256];
        while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN) != 0) {
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            bytes.append(buffer, got);
        }
        return bytes;
    }

private:
    int m_master;
    int m_slave = -1;
};

TEST(PasswordInput, TerminalLineIsReadWithoutEcho)
{
    Terminal terminal;
    ASSERT_GE(terminal.slave(), 0);
    ASSERT_TRUE(terminal.echoes());

    std::optional<QByteArray> line;
    std::thread reader([&] { line = readHiddenLine(terminal.slave(), "Password: "); });
    // Typed only once echo is off, as a person would after seeing the prompt.
    while (terminal.echoes()) {
        std::this_thread::yield();
    }
    terminal.type("s3cret pass\n");
    reader.join();

    EXPECT_EQ(line, QByteArray("s3cret pass"));
    EXPECT_TRUE(terminal.echoes());
    EXPECT_EQ(terminal.shown(), QByteArray("Password: \r\n"));
}

TEST(PasswordInput, NoLineFromWhatIsNotATerminal)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    EXPECT_EQ(readHiddenLine(ends[0], "Password: "), std::nullopt);
    ::close(ends[0]);
    ::close(ends[1]);
}

} // namespace
