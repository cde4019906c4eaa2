// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

// A pseudo-terminal standing in for the user's: a test types on its master side and reads there
// what the terminal shows.
class PseudoTerminal
{
public:
    PseudoTerminal() : m_master(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            m_unavailable = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
    }
    ~PseudoTerminal()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    // Why there is none, where the machine has none to give (a chroot without /dev/pts, say):
    // the test that needs one is skipped with this. Empty when it is open.
    [[nodiscard]] const std::string& unavailable() const { return m_unavailable; }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    [[nodiscard]] QByteArray name() const { return ::ptsname(m_master); }

    [[nodiscard]] bool type(const QByteArray& keys) const
    {
        return ::write(m_master, keys.constData(), keys.size()) == keys.size();
    }

    // What the terminal shows until it ends with `expected`, or ten seconds have passed: it
    // passes on what was written to it a little later and in parts.
    [[nodiscard]] QByteArray shownUntil(const QByteArray& expected) const
    {
        QByteArray shown;
        pollfd ready = {m_master, POLLIN, 0};
        while (!shown.endsWith(expected) && ::poll(&ready, 1, 10000) == 1) {
            char part[64];
            const ssize_t got = ::read(m_master, part, sizeof part);
            if (got <= 0)
                break;
            shown.append(part, got);
        }
        return shown;
    }

private:
    int m_master;
    std::string m_unavailable;
};
