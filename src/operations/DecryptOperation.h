// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cipher/EncryptedFileLayout.h"
#include "files/PieceSize.h"
#include "operations/OperationState.h"
#include "operations/Outcome.h"
#include "operations/WindowServices.h"
#include "text/LoadedText.h"

#include <optional>

namespace cindral {

struct OperationTable;

// Restores the chosen encrypted file in place under the typed password, from the first
// validation to the final message box. Runs to its end; reports only through `window`. The file
// is read, transformed and written `pieceSize` bytes at a time.
[[nodiscard]] Outcome runDecrypt(WindowServices& window, OperationState& state,
                                 qsizetype pieceSize = defaultPieceSize);

// Decrypt, with the restored text written to the stream `output` instead of over the file, which
// is only read and stays as it was; nothing is shown on success.
[[nodiscard]] Outcome runCat(WindowServices& window, OperationState& state, int output,
                             qsizetype pieceSize = defaultPieceSize);

// Whether the chosen file is encrypted, by Decrypt's marker test and without a password; a file
// that cannot be read shows Decrypt's failure box and gives std::nullopt.
[[nodiscard]] std::optional<cipher::FileStatus> runStatus(WindowServices& window,
                                                          OperationState& state);

// Decrypt's step after the marker test: the password check, which refuses a wrong password as
// Decrypt does, then the stage and the password taken. Rekey decrypts on the way and runs it too.
[[nodiscard]] bool prepareDecryption(WindowServices& window, OperationState& state,
                                     const LoadedText& text);

// Decrypt's messages, steps and failure boxes, which rekey starts from.
[[nodiscard]] const OperationTable& decryptTable();

} // namespace cindral
