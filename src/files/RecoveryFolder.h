// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/FileDescriptor.h"

#include <QByteArray>
#include <optional>

namespace cindral {

// The user's folder for the new text of files being overwritten in place, kept there until the
// overwrite is done so that one a crash interrupts can be finished later:
// $XDG_STATE_HOME/cindral/recovery, by default ~/.local/state/cindral/recovery. Only its owner
// may enter it.
namespace recoveryfolder {

// The folder's path; std::nullopt when the user has no home folder.
[[nodiscard]] std::optional<QByteArray> path();

// The folder, created with what leads to it where missing. Throws Failure.
[[nodiscard]] FileDescriptor open();

// The folder if it exists, else a handle that is not open.
[[nodiscard]] FileDescriptor openExisting();

} // namespace recoveryfolder
} // namespace cindral
