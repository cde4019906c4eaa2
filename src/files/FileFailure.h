// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/Failure.h"

#include <QByteArray>
#include <string>

// Turns what the system said about a file into the failure an operation reports. The reasons
// name the step and the system's words, not the file: whoever reports them knows the file.
namespace cindral::filefailure {

// A write cut short for lack of space is DiskFull, exhausted memory OutOfMemory, anything else
// FileError. The reason reads "cannot write: No space left on device".
[[nodiscard]] Failure fromErrno(int error, const std::string& step);

[[nodiscard]] Failure fileError(const std::string& reason);

// What others did to the file while an operation worked on it.
[[nodiscard]] Failure replaced();
[[nodiscard]] Failure changed();
[[nodiscard]] Failure inUse();
[[nodiscard]] Failure openElsewhere();
// Someone wrote into the file while it was overwritten in place; its new text is kept in `keptIn`.
[[nodiscard]] Failure writtenMeanwhile(const QByteArray& keptIn);

} // namespace cindral::filefailure
