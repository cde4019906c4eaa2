// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/LineRule.h"

#include <QByteArray>
#include <span>

namespace cindral {

// The text Decrypt restores, loaded as Encrypt would load it from the file Decrypt saves it in
// (the Append rule of LineRule), a piece at a time and in memory only.
class ReloadedText
{
public:
    ReloadedText();

    // The loaded text of the next restored piece, which the caller may change in place; it lies
    // here until the next call.
    [[nodiscard]] std::span<char> load(std::span<const char> restored);
    // What the loaded text gains after the restored text's end.
    [[nodiscard]] std::span<char> finish();

private:
    LineRule m_rule;
    QByteArray m_buffer; // the spare byte LineRule::apply may write, then the piece
    QByteArray m_spare;
    QByteArray m_ending;
};

} // namespace cindral
