// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

constexpr uid_t nobody = 65534;

// Whoever else touches a test's files: nobody when the test runs as root, else the test's own
// user, as only root can become another.
[[nodiscard]] inline uid_t otherUser()
{
    return ::geteuid() == 0 ? nobody : ::geteuid();
}

// Makes this process the given user, with the group of the same number; anyone can stay who they
// are. Async-signal-safe, for a child between fork and exec.
[[nodiscard]] inline bool becomeUser(uid_t user)
{
    return user == ::geteuid() ||
           (::setgroups(0, nullptr) == 0 && ::setgid(user) == 0 && ::setuid(user) == 0);
}

// Runs `action` in a child process as the given user and gives its result, the child's exit
// status; 100 when the child could not become that user.
inline int asUser(uid_t user, const std::function<int()>& action)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(becomeUser(user) ? action() : 100);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}
