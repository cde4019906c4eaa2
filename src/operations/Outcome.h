// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace cindral {

// How an operation ended, for callers that report more than the message box (the CLI's exit
// status). Refused: a validation, the marker test or a wrong password. Failed: a failure number.
enum class Outcome
{
    Succeeded,
    Refused,
    Failed,
};

} // namespace cindral
