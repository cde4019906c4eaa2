// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/OperationState.h"

namespace cindral {

void OperationState::cleanval()
{
    filename.clear();
    verdict = cipher::Verdict::Match;
    digitcount = 0;
}

} // namespace cindral
