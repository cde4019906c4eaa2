// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace cindral::ui {

// The file system's bytes of a path shown as text. Names that are not UTF-8 show their bad bytes
// as U+FFFD, so two files can show the same text; a path is taken only when its bytes are the
// one file it shows, never a look-alike. Throws Failure(FileError) otherwise.
[[nodiscard]] QByteArray exactLocalPath(const QString& path);

} // namespace cindral::ui
