// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/NamesSlot.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"
#include "files/RecoveryFolder.h"

#include <unistd.h>

namespace cindral {
namespace {

thread_local NamesSlot* slotOfThisThread = nullptr;

} // namespace

NamesSlot::NamesSlot()
{
    slotOfThisThread = this;
}

NamesSlot::~NamesSlot()
{
    slotOfThisThread = nullptr;
    remove();
}

NamesSlot* NamesSlot::ofThisThread()
{
    return slotOfThisThread;
}

int NamesSlot::write(const RecoveryFolder& folder, const QByteArray& name, const QByteArray& text)
{
    const struct stat where = fileio::statOf(folder.fd());
    if (m_record && where.st_dev == m_folderDevice && where.st_ino == m_folderInode) {
        fileio::writeAllAt(m_record->fd(), text, 0);
        if (text.size() < m_length && ::ftruncate(m_record->fd(), text.size()) != 0)
            throw filefailure::fromErrno(errno, "cannot write the record of the new file's name");
        m_length = text.size();
        return m_record->fd();
    }
    remove();
    m_record.emplace(folder.fd(), name + ".part");
    if (!fileio::lockAlone(m_record->fd()))
        throw filefailure::fromErrno(errno, "cannot lock the record of the new file's name");
    fileio::writeAll(m_record->fd(), text);
    m_record->keepAs(name);
    m_name = name;
    m_length = text.size();
    m_folderDevice = where.st_dev;
    m_folderInode = where.st_ino;
    return -1;
}

void NamesSlot::remove()
{
    if (m_record)
        (void)::unlinkat(m_record->folder(), m_name.constData(), 0);
    m_record.reset();
}

} // namespace cindral
