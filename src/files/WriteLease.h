// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <csignal>

namespace cindral {

// A write lease on an open file, for as long as the object lives, where the system grants one
// (to the file's owner and to root, on a file system that keeps leases): while it is held,
// another program that opens the file waits until it is released, so nobody reads a text half
// overwritten or writes into it meanwhile. The system ends the wait by itself after
// /proc/sys/fs/lease-break-time seconds; stillUnbroken() tells whether anyone asked.
class WriteLease
{
public:
    // Throws Failure(FileError, "the file is open in another program") when someone else has the
    // file open: a write lease is granted only to the one open handle of a file.
    explicit WriteLease(int fd);
    ~WriteLease();
    WriteLease(const WriteLease&) = delete;
    WriteLease& operator=(const WriteLease&) = delete;

    // The lease was granted and no other program has opened the file since: nobody can have
    // written into it but the holder.
    [[nodiscard]] bool stillUnbroken() const;

private:
    int m_fd;
    bool m_held = false;
    struct sigaction m_previous = {};
};

} // namespace cindral
