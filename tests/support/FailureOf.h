// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/Failure.h"

#include <functional>

// The failure number an action ends with, 0 for none.
inline int failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const cindral::Failure& failure) {
        return static_cast<int>(failure.number());
    }
    return 0;
}

// A failure number as failureOf gives it.
constexpr int numbered(cindral::FailureNumber number)
{
    return static_cast<int>(number);
}
