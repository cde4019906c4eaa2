// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// One measured step, run in a child process of its own so that its time and its peak memory
// are its own and not the benchmark's.
struct ChildRun
{
    double seconds = 0;
    double cpuSeconds = 0; // processor time of the child over the same span
    double peakMiB = 0;    // peak resident memory of the child
    double noted = 0;      // what the child noted, see below
    bool succeeded = false;
};

// Called by the child when what it has set up is not to be timed: the times run from then.
using StartClock = std::function<void()>;

// Runs `body` in a forked child; the child succeeds when `body` returns true. The times run from
// the fork, or from the child's call of the StartClock it is given, to the child's end. What the
// child writes into `noted` comes back in the run's `noted`.
[[nodiscard]] ChildRun
runInChild(const std::function<bool(const StartClock&, double& noted)>& body);
