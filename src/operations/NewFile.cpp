// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/NewFile.h"

#include "operations/FileFailure.h"

#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace cindral {

using filefailure::fromErrno;

namespace {

constexpr mode_t ownerOnly = 0600;

[[nodiscard]] QByteArray hiddenName(const QByteArray& folder)
{
    const quint32 random = QRandomGenerator::system()->generate();
    return folder + "/.cindral-" + QByteArray::number(random, 36);
}

// Once the new name is in place, the folder entry itself is made durable; the content is
// already safe, so a folder that cannot be synced is no failure.
void syncFolder(const QByteArray& folder)
{
    const FileDescriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.isOpen())
        (void)::fsync(dir.get());
}

} // namespace

NewFile::NewFile(const QByteArray& folder) : m_folder(folder)
{
    m_file = FileDescriptor(::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, ownerOnly));
    if (m_file.isOpen())
        return;
    if (errno != EOPNOTSUPP && errno != EISDIR)
        throw fromErrno(errno, "cannot create a new file");
    // A file system without unnamed files: a hidden name nobody else may open.
    QByteArray name = folder + "/.cindral-XXXXXX";
    m_file = FileDescriptor(::mkostemp(name.data(), O_CLOEXEC));
    if (!m_file.isOpen())
        throw fromErrno(errno, "cannot create a new file");
    m_name = name;
}

NewFile::NewFile(NewFile&& other) noexcept
    : m_folder(std::move(other.m_folder)), m_name(std::exchange(other.m_name, {})),
      m_file(std::move(other.m_file))
{}

NewFile::~NewFile()
{
    if (!m_name.isEmpty())
        (void)::unlink(m_name.constData());
}

// An unnamed file can only be put in place through a name of its own first.
QByteArray NewFile::linkedName()
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_file.get());
    for (;;) {
        QByteArray name = hiddenName(m_folder);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) ==
            0)
            return name;
        if (errno != EEXIST)
            throw fromErrno(errno, "cannot name the new file");
    }
}

void NewFile::replace(const QByteArray& path)
{
    if (::fsync(m_file.get()) != 0)
        throw fromErrno(errno, "cannot flush");
    if (m_name.isEmpty())
        m_name = linkedName();
    if (::rename(m_name.constData(), path.constData()) != 0)
        throw fromErrno(errno, "cannot replace");
    m_name.clear();
    syncFolder(m_folder);
}

} // namespace cindral
