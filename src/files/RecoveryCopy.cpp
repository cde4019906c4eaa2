// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecoveryCopy.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"
#include "files/OpenedFile.h"
#include "files/OverwriteBlocks.h"
#include "files/RecoveryRecord.h"

#include <QRandomGenerator>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace cindral {
namespace {

[[nodiscard]] QByteArray newId()
{
    return QByteArray::number(QRandomGenerator::system()->generate64(), 36);
}

[[nodiscard]] qint64 nanosecondsSince1970()
{
    timespec now = {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64{now.tv_sec} * 1000000000 + now.tv_nsec;
}

} // namespace

// Made under a name that no run takes for a record, should it need one from the start.
RecoveryCopy::RecoveryCopy()
    : m_folder(RecoveryFolder::forSaving()), m_name(newId()),
      m_copy(m_folder.fd(), m_name + ".part")
{
    if (!fileio::lockAlone(fd()))
        throw filefailure::fromErrno(errno, "cannot lock the recovery copy");
}

RecoveryCopy::~RecoveryCopy()
{
    if (m_kept && !m_overwriteBegun)
        remove();
}

void RecoveryCopy::keepFor(const OpenedFile& file)
{
    m_length = fileio::statOf(fd()).st_size;
    m_forFile = file.foundPath();
    const qint64 oldLength = file.opened().st_size;
    overwriteblocks::writeChecksums(file.fd(), oldLength, m_length, fd());
    const RecoveryRecord record{nanosecondsSince1970(),
                                file.opened().st_dev,
                                file.opened().st_ino,
                                fileio::birthOf(file.fd()),
                                oldLength,
                                m_length,
                                m_checksum,
                                overwriteblocks::countOfOld(oldLength, m_length),
                                m_forFile};
    fileio::writeAll(fd(), record.encoded());
    m_copy.keepAs(m_name + ".save");
    m_kept = true;
}

void RecoveryCopy::remove()
{
    (void)::unlinkat(m_folder.fd(), (m_name + ".save").constData(), 0);
    m_kept = false;
    (void)fileio::syncFolder(m_folder.fd());
}

QByteArray RecoveryCopy::keepForTheUser()
{
    m_kept = false;
    return keepNewText(m_folder, m_name + ".save", fd(), m_length, m_forFile);
}

QByteArray RecoveryCopy::keepNewText(const RecoveryFolder& folder, const QByteArray& name, int copy,
                                     qint64 length, const QByteArray& forFile)
{
    const QByteArray id = name.left(name.indexOf('.'));
    const QByteArray suffix = ".kept-" + id;
    const QByteArray kept =
        forFile.mid(forFile.lastIndexOf('/') + 1).left(NAME_MAX - suffix.size()) + suffix;
    if (::ftruncate(copy, length) != 0 ||
        ::renameat(folder.fd(), name.constData(), folder.fd(), kept.constData()) != 0)
        return folder.pathOf(name);
    (void)fileio::syncFolder(folder.fd());
    return folder.pathOf(kept);
}

} // namespace cindral
