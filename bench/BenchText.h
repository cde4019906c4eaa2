#pragma once

#include <QString>
#include <QtGlobal>

// Writes about `size` bytes of printable lines of varied length, each ending in CR LF.
[[nodiscard]] bool writePlainText(const QString& path, qint64 size);

[[nodiscard]] bool sameContent(const QString& left, const QString& right);
