// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/PasswordInput.h"

#include <cerrno>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace cindral::cli {
namespace {

// The terminal settings to put back if a signal ends the program while echo is off. A signal
// handler can reach nothing else.
int g_echoFd = -1;
termios g_echoSettings{};

constexpr int restoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void restoreEchoAndDie(int signal)
{
    tcsetattr(g_echoFd, TCSANOW, &g_echoSettings);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Echo off for its lifetime; the previous settings and signal actions come back after it.
class EchoOff
{
public:
    EchoOff(int fd, const termios& settings)
    {
        g_echoFd = fd;
        g_echoSettings = settings;
        struct sigaction action
        {
        };
        action.sa_handler = restoreEchoAndDie;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(restoringSignals); ++i)
            sigaction(restoringSignals[i], &action, &m_previous[i]);
        termios silent = settings;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL);
        silent.c_lflag |= ICANON;
        tcsetattr(fd, TCSAFLUSH, &silent);
    }

    ~EchoOff()
    {
        tcsetattr(g_echoFd, TCSAFLUSH, &g_echoSettings);
        for (std::size_t i = 0; i < std::size(restoringSignals); ++i)
            sigaction(restoringSignals[i], &m_previous[i], nullptr);
        g_echoFd = -1;
    }

    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    struct sigaction m_previous[std::size(restoringSignals)]{};
};

void writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(fd, bytes.data(), static_cast<size_t>(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes = bytes.sliced(written);
    }
}

QByteArray readLine(int fd)
{
    QByteArray line;
    char byte = 0;
    for (;;) {
        const ssize_t got = ::read(fd, &byte, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || byte == '\n')
            break;
        line.append(byte);
    }
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

std::optional<QByteArray> readHiddenLine(int ttyFd, QByteArrayView prompt)
{
    termios settings{};
    if (tcgetattr(ttyFd, &settings) != 0)
        return std::nullopt;
    QByteArray line;
    {
        // Echo goes off before the prompt shows, so nothing typed after it can be echoed or
        // flushed away.
        const EchoOff echoOff(ttyFd, settings);
        writeAll(ttyFd, prompt);
        line = readLine(ttyFd);
    }
    // The Enter key was not echoed either.
    writeAll(ttyFd, "\n");
    return line;
}

QByteArray firstLine(QIODevice& input)
{
    QByteArray line = input.readLine();
    if (line.endsWith('\n')) {
        line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return line;
}

} // namespace cindral::cli
