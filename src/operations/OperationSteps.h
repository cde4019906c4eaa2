// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/OpenedFile.h"
#include "files/TextSink.h"
#include "operations/FailureBox.h"
#include "operations/MessageBoxText.h"
#include "operations/OperationState.h"
#include "operations/Outcome.h"
#include "operations/WindowServices.h"
#include "text/LineEnds.h"
#include "text/LoadedText.h"

#include <functional>
#include <span>

// The steps the operations are made of. Each operation (EncryptOperation.cpp,
// DecryptOperation.cpp, RekeyOperation.cpp) calls them in its own order, inside guarded.
namespace cindral {

// Runs `steps` with the pointer busy and the status bar shown. Whatever they throw ends the
// operation as failed: the window restored, then the box `failureBoxes` lists for the failure's
// number, or messages::programError for one it does not list; out of memory counts as 7 and any
// other exception as 51.
[[nodiscard]] Outcome guarded(WindowServices& window, const OperationState& state,
                              std::span<const FailureBox> failureBoxes,
                              const std::function<Outcome()>& steps);

// The passwords an operation asks for: the typed one, and for rekey the new one too.
enum class Passwords
{
    Typed,
    TypedAndNew,
};

// The boxes filled in before anything is opened. A refusal restores the window, then shows why.
[[nodiscard]] bool inputsAccepted(WindowServices& window, const MessageBoxText& shortPassword,
                                  Passwords passwords);

// Opens the file chosen in the dialog for `purpose`; the marker test of its text goes to
// state.status.
[[nodiscard]] LoadedText openChosenFile(WindowServices& window, OperationState& state,
                                        LineEnds lineEnds, qsizetype pieceSize,
                                        OpenedFile::Purpose purpose);

// Refuses the file once it has been opened: its box while the pointer is still busy, then the
// window restored. Gives Outcome::Refused.
Outcome refuse(WindowServices& window, const MessageBoxText& box);

// Saves what `produce` writes over the file `text` is read from, as savetext does. For a file
// that cannot be written the new text is still made, kept nowhere, before the file's failure is
// thrown: a failure on the way there (a character that cannot be encrypted) is the one reported.
void saveNewText(const LoadedText& text, const std::function<void(TextSink&)>& produce,
                 qsizetype pieceSize);

// The window restored, then the box that says what was done. Gives Outcome::Succeeded.
Outcome succeed(WindowServices& window, const MessageBoxText& box);

// The pointer back to normal and the status bar hidden: the state of the window on every exit.
void restore(WindowServices& window);

// Hands every piece of `text` to `step`, telling the window how far the file has been read.
void forEveryPiece(WindowServices& window, LoadedText& text,
                   const std::function<void(std::span<char> piece)>& step);

} // namespace cindral
