// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// One measured step, run in a child process of its own so that its time and its peak memory
// are its own and not the benchmark's.
struct ChildRun
{
    double seconds = 0;
    double peakMiB = 0; // peak resident memory of the child
    bool succeeded = false;
};

// Runs `body` in a forked child; the child succeeds when `body` returns true.
[[nodiscard]] ChildRun runInChild(const std::function<bool()>& body);
