// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/LocalPath.h"

#include "base/Failure.h"

#include <QFile>
#include <dirent.h>
#include <memory>

namespace cindral::ui {
namespace {

bool showsLossily(const QByteArray& component)
{
    return QFile::decodeName(component).contains(QChar::ReplacementCharacter);
}

// True when another entry of `folder` shows the same text as `component`.
bool hasLookAlike(const QByteArray& folder, const QByteArray& component)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), &::closedir);
    if (!dir)
        return false;
    const QString shown = QFile::decodeName(component);
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        if (name != component && QFile::decodeName(name) == shown)
            return true;
    }
    return false;
}

} // namespace

QByteArray exactLocalPath(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    if (QFile::decodeName(bytes) != path)
        throw Failure(FailureNumber::FileError, "the name cannot be stored as it is shown");
    if (!path.contains(QChar::ReplacementCharacter))
        return bytes;
    qsizetype start = bytes.startsWith('/') ? 1 : 0;
    while (start < bytes.size()) {
        const qsizetype slash = bytes.indexOf('/', start);
        const qsizetype end = slash < 0 ? bytes.size() : slash;
        const QByteArray component = bytes.sliced(start, end - start);
        const QByteArray folder =
            start == 0 ? QByteArray(".") : bytes.first(std::max<qsizetype>(start - 1, 1));
        if (showsLossily(component) && hasLookAlike(folder, component)) {
            throw Failure(FailureNumber::FileError,
                          "another file's name shows the same; its bytes are not UTF-8");
        }
        start = end + 1;
    }
    return bytes;
}

} // namespace cindral::ui
