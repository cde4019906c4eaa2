// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/NewFile.h"

#include <QByteArray>
#include <optional>
#include <sys/types.h>

namespace cindral {

class RecoveryFolder;

// Where the names a replacement puts beside a file are recorded for the saves that one thread
// makes one after another in a run over many files: one record in the recovery folder, made once
// and written over for each save, where a save alone makes a record and removes it again, which
// costs a run over many small files half its time. A record written over may be cut short by a
// crash; the names it tells of are made only once it is durable, so such a record tells of
// nothing that was made (its checksum says so, see PendingNames). Between saves it still tells of
// the last one, whose names are gone, which the next run finds nothing to do for. The record is
// removed with the object. While it lives, the thread's PendingNames use it.
class NamesSlot
{
public:
    NamesSlot();
    ~NamesSlot();
    NamesSlot(const NamesSlot&) = delete;
    NamesSlot& operator=(const NamesSlot&) = delete;

    [[nodiscard]] static NamesSlot* ofThisThread();

    // Makes `text` the record in `folder`: a record made anew is durable (-1), one written over
    // is to be flushed through the handle given. Throws Failure.
    [[nodiscard]] int write(const RecoveryFolder& folder, const QByteArray& name,
                            const QByteArray& text);

private:
    void remove();

    std::optional<NewFile> m_record;
    QByteArray m_name;
    qsizetype m_length = 0;
    dev_t m_folderDevice = 0;
    ino_t m_folderInode = 0;
};

} // namespace cindral
