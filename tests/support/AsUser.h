// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `action` in a child process as the given user and group and gives its result, the
// child's exit status; 100 when the child could not become that user. Only root can become
// another; anyone can stay who they are.
inline int asUser(uid_t user, gid_t group, const std::function<int()>& action)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const bool same = user == ::geteuid() && group == ::getegid();
        ::_exit(
            same || (::setgroups(0, nullptr) == 0 && ::setgid(group) == 0 && ::setuid(user) == 0)
                ? action()
                : 100);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}
