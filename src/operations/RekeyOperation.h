// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/PieceSize.h"
#include "operations/OperationState.h"
#include "operations/Outcome.h"
#include "operations/WindowServices.h"

namespace cindral {

// Encrypts the chosen encrypted file under the window's new password instead of its typed one:
// Decrypt's validation, marker test and password check, then one pass that decrypts each piece
// and encrypts it anew in memory, saved as Encrypt saves. The file becomes byte for byte what
// Decrypt and then Encrypt would make of it, and its plain text is never written anywhere.
[[nodiscard]] Outcome runRekey(WindowServices& window, OperationState& state,
                               qsizetype pieceSize = defaultPieceSize);

} // namespace cindral
