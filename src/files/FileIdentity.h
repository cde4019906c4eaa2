// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/stat.h>

namespace cindral {

// Gives the new file `created` what decides who may use the file `original` it is to replace:
// owner and group, every extended attribute (the access ACL among them) and no other, then the
// mode. False when any of them cannot be given: the new file would then be open to someone the
// original kept out. Called before the new file holds a byte of content.
[[nodiscard]] bool takeOverIdentity(int created, int original, const struct stat& originalInfo);

} // namespace cindral
