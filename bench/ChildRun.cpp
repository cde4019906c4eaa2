// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChildRun.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

[[nodiscard]] ChildRun waitFor(pid_t child, std::chrono::steady_clock::time_point started)
{
    int status = 0;
    struct rusage usage = {};
    ChildRun run;
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child)
        return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss counts KiB
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

} // namespace

ChildRun runInChild(const std::function<bool()>& body)
{
    std::fflush(nullptr);
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        bool succeeded = false;
        try {
            succeeded = body();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
        }
        std::fflush(nullptr);
        ::_exit(succeeded ? 0 : 1);
    }
    return waitFor(child, started);
}
