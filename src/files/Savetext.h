// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/OpenedFile.h"
#include "files/PieceSize.h"
#include "files/TextSink.h"

#include <functional>

namespace cindral {

// Makes the whole content of the file that was read what `produce` writes into the sink it is
// given, or leaves the file exactly as it was when anything fails, `produce` included. The new
// text goes to a new file that takes the old one's place in one step, keeping its permissions,
// owner, group and extended attributes. A file with other hard links, in a folder that refuses
// new files, or whose identity a new file cannot take, is overwritten in place, but only once the
// whole new text has been made in a recovery copy (see RecoveryCopy) and the space for it
// reserved.
// A file that cannot be written (see OpenedFile::whyUnwritable) fails at once with
// Failure(FileError), before `produce` runs. A file that someone else has meanwhile replaced,
// moved, removed or changed is left alone with Failure(FileError), and so is whatever now lies in
// its place.
void savetext(const OpenedFile& file, const std::function<void(TextSink&)>& produce,
              qsizetype pieceSize = defaultPieceSize);

} // namespace cindral
