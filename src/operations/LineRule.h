#pragma once

#include "operations/TextFile.h"

#include <QByteArray>

namespace cindral {

// Room a text needs beyond its own size for the one line end its last line may lack.
inline constexpr qsizetype lineEndSize = 2;

// Turns the bytes of a whole file into the loaded text, in place: a line ends at CR LF or at a
// lone CR; Append puts CR LF after every line, Join drops the line ends. A CR LF text grows
// only for its lone CRs and an open last line, and reuses spare capacity when it has some.
void applyLineRule(QByteArray& text, LineEnds lineEnds);

} // namespace cindral
