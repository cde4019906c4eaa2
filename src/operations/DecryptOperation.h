// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cipher/EncryptedFileLayout.h"
#include "files/OpenedFile.h"
#include "files/PieceSize.h"
#include "operations/OperationState.h"
#include "operations/OperationSteps.h"
#include "operations/Outcome.h"
#include "operations/WindowServices.h"
#include "text/LoadedText.h"

#include <QByteArray>
#include <functional>
#include <optional>
#include <span>

namespace cindral {

// Restores the chosen encrypted file in place under the typed password, from the first
// validation to the final message box. Runs to its end; reports only through `window`. The file
// is read, transformed and written `pieceSize` bytes at a time.
[[nodiscard]] Outcome runDecrypt(WindowServices& window, OperationState& state,
                                 qsizetype pieceSize = defaultPieceSize);

// Decrypt, with the restored text written to the stream `output` instead of over the file, which
// is only read and stays as it was; nothing is shown on success. Part of the text may be out when
// a failure stops it.
[[nodiscard]] Outcome runCat(WindowServices& window, OperationState& state, int output,
                             qsizetype pieceSize = defaultPieceSize);

// Whether the chosen file is encrypted, by Decrypt's marker test and without a password; a file
// that cannot be read shows Decrypt's failure box and gives std::nullopt.
[[nodiscard]] std::optional<cipher::FileStatus> runStatus(WindowServices& window,
                                                          OperationState& state);

// Decrypt's checks, which rekey makes too, from the stage they open with to the typed password
// taken: the inputs, the file opened for `purpose` and its marker test, and the password check.
// Gives the file's text, or std::nullopt once a refusal has said why.
[[nodiscard]] std::optional<LoadedText>
passDecryptChecks(WindowServices& window, OperationState& state, qsizetype pieceSize,
                  OpenedFile::Purpose purpose, Passwords passwords);

// Decrypt's text from a `text` that passed its checks: the body, shifted back a part at a time and
// handed to `step`, which may change it. A body that cannot be shifted back is damaged:
// Failure(InternalError).
void forEveryDecryptedPart(WindowServices& window, LoadedText& text, const OperationState& state,
                           const std::function<void(std::span<char> part)>& step);

// The first character of Decrypt's text, empty when the body is; read from the start of the file
// whatever piece is at hand.
[[nodiscard]] QByteArray decryptedStart(const LoadedText& text, const OperationState& state);

} // namespace cindral
