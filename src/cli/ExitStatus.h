// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/Outcome.h"

#include <algorithm>

namespace cindral::cli {

// The tool's exit status; over several files the highest wins.
enum class ExitStatus : int
{
    Success = 0,
    Refused = 1,
    Failed = 2, // also a usage error
};

[[nodiscard]] constexpr ExitStatus exitStatusOf(Outcome outcome)
{
    if (outcome == Outcome::Succeeded)
        return ExitStatus::Success;
    return outcome == Outcome::Refused ? ExitStatus::Refused : ExitStatus::Failed;
}

[[nodiscard]] constexpr ExitStatus worse(ExitStatus a, ExitStatus b)
{
    return std::max(a, b);
}

} // namespace cindral::cli
