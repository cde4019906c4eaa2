// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecoveryCopy.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"
#include "files/OpenedFile.h"
#include "files/RecoveryFolder.h"
#include "files/RecoveryRecord.h"

#include <QRandomGenerator>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace cindral {

RecoveryCopy::RecoveryCopy() : m_copy(recoveryfolder::open().get())
{
    if (fileio::retried([&] { return ::flock(fd(), LOCK_EX | LOCK_NB); }) != 0)
        throw filefailure::fromErrno(errno, "cannot lock the recovery copy");
}

RecoveryCopy::~RecoveryCopy()
{
    if (!m_name.isEmpty() && !m_fileTouched)
        remove();
}

qint64 RecoveryCopy::keepFor(const OpenedFile& file)
{
    const qint64 length = fileio::statOf(fd()).st_size;
    const RecoveryRecord record{file.opened().st_dev, file.opened().st_ino, length,
                                m_checksum.result(), file.foundPath()};
    fileio::writeAllAt(fd(), record.encoded(), length);
    const QByteArray name =
        QByteArray::number(QRandomGenerator::system()->generate64(), 36) + ".save";
    m_copy.keepAs(name);
    m_name = name;
    return length;
}

void RecoveryCopy::remove()
{
    (void)::unlinkat(m_copy.folder(), m_name.constData(), 0);
    m_name.clear();
    m_copy.syncFolder();
}

} // namespace cindral
