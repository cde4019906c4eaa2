// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/WriteLease.h"

#include "files/FileFailure.h"

#include <cerrno>
#include <fcntl.h>

namespace cindral {

WriteLease::WriteLease(int fd) : m_fd(fd)
{
    // The system tells the holder of a lease that someone waits for it by SIGIO, which would end
    // the program; the holder finishes first and looks at the lease afterwards instead.
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGIO, &ignore, &m_previous);
    m_held = ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0;
    if (m_held || errno != EAGAIN)
        return;
    ::sigaction(SIGIO, &m_previous, nullptr);
    throw filefailure::openElsewhere();
}

WriteLease::~WriteLease()
{
    if (m_held)
        (void)::fcntl(m_fd, F_SETLEASE, F_UNLCK);
    ::sigaction(SIGIO, &m_previous, nullptr);
}

bool WriteLease::stillUnbroken() const
{
    return m_held && ::fcntl(m_fd, F_GETLEASE) == F_WRLCK;
}

} // namespace cindral
