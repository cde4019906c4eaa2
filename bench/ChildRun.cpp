// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChildRun.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <new>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// What the child tells the parent, in memory they share. The steady clock is the system's, the
// same in both.
struct Shared
{
    Clock::time_point started;
    double cpuSecondsAtStart = 0;
    double noted = 0;
};

[[nodiscard]] double cpuSecondsOf(const struct rusage& usage)
{
    const auto seconds = [](const struct timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

[[nodiscard]] ChildRun waitFor(pid_t child, const Shared& shared)
{
    int status = 0;
    struct rusage usage = {};
    ChildRun run;
    if (::wait4(child, &status, 0, &usage) != child)
        return run;
    run.seconds = std::chrono::duration<double>(Clock::now() - shared.started).count();
    run.cpuSeconds = cpuSecondsOf(usage) - shared.cpuSecondsAtStart;
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss counts KiB
    run.noted = shared.noted;
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

[[noreturn]] void runChild(const std::function<bool(const StartClock&, double&)>& body,
                           Shared& shared)
{
    bool succeeded = false;
    try {
        const StartClock startClock = [&shared] {
            std::fflush(nullptr);
            struct rusage usage = {};
            ::getrusage(RUSAGE_SELF, &usage);
            shared.cpuSecondsAtStart = cpuSecondsOf(usage);
            shared.started = Clock::now();
        };
        succeeded = body(startClock, shared.noted);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    std::fflush(nullptr);
    ::_exit(succeeded ? 0 : 1);
}

} // namespace

ChildRun runInChild(const std::function<bool(const StartClock&, double& noted)>& body)
{
    void* const memory =
        ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return {};
    Shared& shared = *new (memory) Shared{};
    std::fflush(nullptr);
    shared.started = Clock::now();
    const pid_t child = ::fork();
    if (child == 0)
        runChild(body, shared);
    const ChildRun run = child < 0 ? ChildRun{} : waitFor(child, shared);
    ::munmap(memory, sizeof(Shared));
    return run;
}
