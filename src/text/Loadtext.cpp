// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/Loadtext.h"

namespace cindral {

LoadedText loadtext(const QByteArray& filename, LineEnds appendLineEnds,
                    const std::function<void()>& opened, qsizetype pieceSize,
                    OpenedFile::Purpose purpose)
{
    OpenedFile file(filename, purpose);
    if (opened)
        opened();
    return LoadedText(std::move(file), appendLineEnds, pieceSize);
}

} // namespace cindral
