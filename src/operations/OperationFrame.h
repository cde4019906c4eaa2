// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/Failure.h"
#include "cipher/EncryptedFileLayout.h"
#include "operations/LineEnds.h"
#include "operations/LoadedText.h"
#include "operations/MessageBoxText.h"
#include "operations/OperationState.h"
#include "operations/Outcome.h"
#include "operations/TextSink.h"
#include "operations/WindowServices.h"

#include <QStringView>
#include <functional>
#include <span>

// The frame the Encrypt and Decrypt operations share: the window made busy and restored, the
// validation of the two boxes, the loading and marker test of the chosen file, the success box,
// and the one failure handler that turns whatever a step throws into its box.
namespace cindral {

// The box a failure number shows.
struct FailureBox
{
    FailureNumber number;
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
    const MessageBoxText& shortPassword;
    const MessageBoxText& refusedFile;
    const MessageBoxText& succeeded;
    std::span<const FailureBox> failureBoxes;
    // After the marker test: sets the stage and takes the password; false when it refuses the
    // file, having said why.
    bool (*prepare)(WindowServices& window, OperationState& state, const LoadedText& text);
    // Writes the file's new content into `file`, every piece of `text` handed to forEveryPiece.
    void (*produce)(TextSink& file, WindowServices& window, const OperationState& state,
                    LoadedText& text);
};

// Runs an operation from the busy pointer to its last box; a failure anywhere stops it.
[[nodiscard]] Outcome runOperation(WindowServices& window, OperationState& state,
                                   const OperationTable& table, qsizetype pieceSize);

// The pointer back to normal and the status bar hidden: the state of the window on every exit.
void restore(WindowServices& window);

// Hands every piece of `text` to `step`, telling the window how far the file has been read.
void forEveryPiece(WindowServices& window, LoadedText& text,
                   const std::function<void(std::span<char> piece)>& step);

} // namespace cindral
