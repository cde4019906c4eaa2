// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/Failure.h"
#include "operations/MessageBoxText.h"

namespace cindral {

// The box a failure number shows.
struct FailureBox
{
    FailureNumber number;
    const MessageBoxText& box;
};

} // namespace cindral
