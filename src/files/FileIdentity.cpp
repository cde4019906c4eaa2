// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/FileIdentity.h"

#include <QByteArray>
#include <QByteArrayList>
#include <cerrno>
#include <optional>
#include <sys/xattr.h>
#include <unistd.h>

namespace cindral {
namespace {

// The names of a file's extended attributes; empty where the file system keeps none, nullopt
// when they cannot be listed.
std::optional<QByteArrayList> attributeNames(int fd)
{
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP ? std::optional(QByteArrayList()) : std::nullopt;
    QByteArray names(size, Qt::Uninitialized);
    if (::flistxattr(fd, names.data(), static_cast<size_t>(size)) != size)
        return std::nullopt;
    QByteArrayList list = names.split('\0');
    list.removeAll(QByteArray());
    return list;
}

bool copyAttribute(int from, int to, const QByteArray& name)
{
    const ssize_t size = ::fgetxattr(from, name.constData(), nullptr, 0);
    if (size < 0)
        return false;
    QByteArray value(size, Qt::Uninitialized);
    return ::fgetxattr(from, name.constData(), value.data(), static_cast<size_t>(size)) == size &&
           ::fsetxattr(to, name.constData(), value.constData(), static_cast<size_t>(size), 0) == 0;
}

// A new file may have inherited attributes (a folder's default ACL) that the original lacks.
bool sameAttributes(int created, int original)
{
    const std::optional<QByteArrayList> wanted = attributeNames(original);
    const std::optional<QByteArrayList> inherited = attributeNames(created);
    if (!wanted || !inherited)
        return false;
    for (const QByteArray& name : *inherited) {
        if (!wanted->contains(name) && ::fremovexattr(created, name.constData()) != 0)
            return false;
    }
    for (const QByteArray& name : *wanted) {
        if (!copyAttribute(original, created, name))
            return false;
    }
    return true;
}

} // namespace

bool takeOverIdentity(int created, int original, const struct stat& originalInfo)
{
    struct stat createdInfo = {};
    if (::fstat(created, &createdInfo) != 0)
        return false;
    const bool sameOwner =
        createdInfo.st_uid == originalInfo.st_uid && createdInfo.st_gid == originalInfo.st_gid;
    if (!sameOwner && ::fchown(created, originalInfo.st_uid, originalInfo.st_gid) != 0)
        return false;
    // The mode comes last: it sets the ACL's mask to the original's group bits.
    return sameAttributes(created, original) &&
           ::fchmod(created, originalInfo.st_mode & 07777) == 0;
}

} // namespace cindral
