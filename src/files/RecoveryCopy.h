// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/NewFile.h"
#include "files/RecoveryFolder.h"
#include "files/TextSink.h"

#include <QByteArray>

namespace cindral {

class OpenedFile;

// The whole new text of a file about to be overwritten in place, made in the recovery folder with
// a record of what it is for (see RecoveryRecord), and durable there before the first byte of the
// file is overwritten: a crash during the overwrite leaves it for the next run to finish (see
// InterruptedSaves). Locked from its creation to its removal, so that no one finishes an
// overwrite still running. Until the overwrite has begun, the copy goes with the object.
class RecoveryCopy
{
public:
    // Throws Failure when no recovery folder can be had or it refuses a new file.
    RecoveryCopy();
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    [[nodiscard]] int fd() const { return m_copy.fd(); }
    [[nodiscard]] TextSink sink() { return TextSink(TextSink::Kind::File, fd(), &m_checksum); }
    // Of the new text, once kept.
    [[nodiscard]] qint64 length() const { return m_length; }

    // Adds the checksums of what `file` holds now and the record of it after the text written,
    // and puts the copy on the disk under its name. Throws Failure: the file has not been touched
    // then.
    void keepFor(const OpenedFile& file);
    // From here on the file is no longer what it was: the copy stays until removed.
    void markOverwriteBegun() { m_overwriteBegun = true; }
    // The overwrite is done.
    void remove();
    // The overwrite is given up: the new text stays, alone, under a name that says whose it is.
    // Gives where.
    [[nodiscard]] QByteArray keepForTheUser();

    // The new text of the copy `name` in `folder`, open as `copy`, cut down to its `length`
    // bytes and renamed after the file it is for; gives its path, or the old one where it could
    // not be renamed.
    [[nodiscard]] static QByteArray keepNewText(const RecoveryFolder& folder,
                                                const QByteArray& name, int copy, qint64 length,
                                                const QByteArray& forFile);

private:
    RecoveryFolder m_folder;
    QByteArray m_name;
    NewFile m_copy;
    quint32 m_checksum = 0;
    qint64 m_length = 0;
    QByteArray m_forFile;
    bool m_kept = false;
    bool m_overwriteBegun = false;
};

} // namespace cindral
