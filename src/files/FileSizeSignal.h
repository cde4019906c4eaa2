// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace cindral {

// A write beyond the file-size limit (RLIMIT_FSIZE) raises SIGXFSZ, which ends the process
// before it can say why. Ignored, the write fails with EFBIG instead and the operation reports
// it like a full disk. Called once at start-up by each program.
void ignoreFileSizeSignal();

} // namespace cindral
