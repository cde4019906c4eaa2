// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace cindral {

// What loading a text does with the ends of its lines.
enum class LineEnds
{
    Join,   // lines joined with nothing between them (decryption)
    Append, // CR LF after every line (encryption)
};

} // namespace cindral
