// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace cindral {

// How much of a file is read, transformed and written at once; found best by measurement.
inline constexpr qsizetype defaultPieceSize = qsizetype{1} << 20;

} // namespace cindral
