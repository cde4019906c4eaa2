// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/Failure.h"
#include "cipher/EncryptedFileLayout.h"
#include "files/TextSink.h"
#include "operations/MessageBoxText.h"
#include "operations/OperationState.h"
#include "operations/Outcome.h"
#include "operations/TextDestination.h"
#include "operations/WindowServices.h"
#include "text/LineEnds.h"
#include "text/LoadedText.h"

#include <QStringView>
#include <functional>
#include <optional>
#include <span>

// The frame every operation shares: the window made busy and restored, the validation of the
// boxes, the loading and marker test of the chosen file, the success box, and the one failure
// handler that turns whatever a step throws into its box.
namespace cindral {

// The box a failure number shows.
struct FailureBox
{
    FailureNumber number;
    const MessageBoxText& box;
};

// Thrown by `produce` when the text it makes shows a file the operation refuses (rekey: a
// decrypted text that Encrypt would refuse). The frame shows the box and ends the operation as
// refused; the save it produced for leaves the file as it was.
struct Refusal
{
    const MessageBoxText& box;
};

// What sets one operation apart in the frame: the stage text it opens with (empty: the status bar
// keeps the text it last showed), how it loads the file, the status of a file it refuses, its
// boxes and its two steps. A failure number that `failureBoxes` does not list shows
// messages::programError.
struct OperationTable
{
    QStringView openingStage;
    LineEnds lineEnds;
    cipher::FileStatus refusedStatus;
    MessageBoxText shortPassword;
    // The box of a new password that is too short, for an operation that takes one (rekey).
    const MessageBoxText* newShortPassword = nullptr;
    MessageBoxText refusedFile;
    MessageBoxText succeeded;
    std::span<const FailureBox> failureBoxes;
    // After the marker test: sets the stage and takes the password; false when it refuses the
    // file, having said why.
    bool (*prepare)(WindowServices& window, OperationState& state, const LoadedText& text);
    // Writes the file's new content into `file`, every piece of `text` handed to forEveryPiece.
    void (*produce)(TextSink& file, WindowServices& window, const OperationState& state,
                    LoadedText& text);
};

// Runs an operation from the busy pointer to its last box; a failure anywhere stops it. Its text
// goes to `destination`: into a stream, it is shown there as it is made (part of it may be out
// when a failure stops it), and no success box follows.
[[nodiscard]] Outcome runOperation(WindowServices& window, OperationState& state,
                                   const OperationTable& table, TextDestination destination,
                                   qsizetype pieceSize);

// The marker test of the chosen file as `table` loads it, reading no further than the first
// character of its loaded text; no password is asked for and the file is only read. Shows nothing
// but the box of a failure, and then gives std::nullopt.
[[nodiscard]] std::optional<cipher::FileStatus>
runMarkerTest(WindowServices& window, OperationState& state, const OperationTable& table);

// The pointer back to normal and the status bar hidden: the state of the window on every exit.
void restore(WindowServices& window);

// Hands every piece of `text` to `step`, telling the window how far the file has been read.
void forEveryPiece(WindowServices& window, LoadedText& text,
                   const std::function<void(std::span<char> piece)>& step);

} // namespace cindral
