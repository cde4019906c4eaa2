// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/OpenedFile.h"
#include "files/PieceSize.h"
#include "text/LineEnds.h"
#include "text/LoadedText.h"

#include <QByteArray>
#include <functional>

namespace cindral {

// Opens the file for `purpose` (see OpenedFile) and gives its loaded text by the line rule (see
// LineRule), a piece at a time. Files are named by the file system's bytes. `opened` runs after
// the file has been opened and before anything is read.
// Throws Failure(FileError) for a missing file, a folder, a device or pipe, one that cannot be
// opened or read, and one to be rewritten that another Cindral is working on.
[[nodiscard]] LoadedText loadtext(const QByteArray& filename, LineEnds appendLineEnds,
                                  const std::function<void()>& opened,
                                  qsizetype pieceSize = defaultPieceSize,
                                  OpenedFile::Purpose purpose = OpenedFile::Purpose::Rewrite);

} // namespace cindral
