// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string>

namespace cindral {

// The failure numbers the operations' failure handler tells apart. 5 and 75 have messages of
// their own; the others all end in the "internal error" message but stay distinct for tests and
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

// The project's one error type: a failure number and the reason, in words, for a console to show.
// Raised by the cipher (5, 6, 11, 13: a code outside 0..255, a password too long or empty, a
// trailer that is no number), by the file reading and writing through filefailure (7, 61, 75)
// and by the windows for a chosen name they cannot tell apart or a folder they could not list
// (75). The operations' failure handler (guarded, operations/OperationSteps.h) catches it and
// shows the box its number chooses; out-of-memory and any other exception reach that handler as
// 7 and 51. Elsewhere it is caught only to go on another way: Decrypt's body that cannot be
// shifted back becomes 51 (operations/DecryptOperation.cpp); a save that cannot make a new file
// overwrites in place (files/Savetext.cpp); the recovery tries the next folder, and leaves alone
// or keeps for the user, with the reason, what it cannot settle (files/RecoveryFolder.cpp,
// files/InterruptedSaves.cpp).
class Failure : public std::runtime_error
{
public:
    // `keptIn`: where the new text of a save that could not stand is kept for the user.
    explicit Failure(FailureNumber number, const std::string& detail = {}, std::string keptIn = {})
        : std::runtime_error(detail.empty() ? "failure " + std::to_string(static_cast<int>(number))
                                            : detail),
          m_number(number), m_keptIn(std::move(keptIn))
    {}

    [[nodiscard]] FailureNumber number() const noexcept { return m_number; }
    [[nodiscard]] const std::string& keptIn() const noexcept { return m_keptIn; }

private:
    FailureNumber m_number;
    std::string m_keptIn;
};

} // namespace cindral
