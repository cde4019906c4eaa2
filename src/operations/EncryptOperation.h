// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/PieceSize.h"
#include "operations/ImageWriter.h"
#include "operations/OperationState.h"
#include "operations/Outcome.h"
#include "operations/WindowServices.h"
#include "text/LoadedText.h"

#include <QByteArray>
#include <functional>

namespace cindral {

// Encrypts the chosen file in place under the typed password, from the first validation to the
// final message box. Runs to its end; reports to the user only through `window`. The file is
// read, transformed and written `pieceSize` bytes at a time.
[[nodiscard]] Outcome runEncrypt(WindowServices& window, OperationState& state,
                                 qsizetype pieceSize = defaultPieceSize);

// Encrypt's save, which rekey makes too: over the file `text` is read from, the image under
// `password`, of fingerprint `pwdavg`, of the text `writeText` hands to the image a piece at a
// time.
void saveImage(const LoadedText& text, const QByteArray& password, int pwdavg, qsizetype pieceSize,
               const std::function<void(ImageWriter& image)>& writeText);

} // namespace cindral
