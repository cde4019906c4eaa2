// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string>

namespace cindral {

// The failure numbers an operation's handler tells apart. 5 and 75 have messages of their
// own; the others all end in the "internal error" message but stay distinct for tests and
// diagnostics.
enum class FailureNumber : int
{
    IllegalCharacter = 5, // a character code would leave 0..255
    Overflow = 6,         // a 16-bit counter or count ran over
    OutOfMemory = 7,
    DivisionByZero = 11,
    TypeMismatch = 13,  // a trailer that cannot be read as a number
    InternalError = 51, // anything thrown that carries no number of its own
    DiskFull = 61,      // a write cut short for lack of space
    FileError = 75,     // missing, unreadable, unwritable, read-only or not a file
};

class Failure : public std::runtime_error
{
public:
    explicit Failure(FailureNumber number, const std::string& detail = {})
        : std::runtime_error(detail.empty() ? "failure " + std::to_string(static_cast<int>(number))
                                            : detail),
          m_number(number)
    {}

    [[nodiscard]] FailureNumber number() const noexcept { return m_number; }

private:
    FailureNumber m_number;
};

} // namespace cindral
