// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/NewFile.h"
#include "files/TextSink.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace cindral {

class OpenedFile;

// The whole new text of a file about to be overwritten in place, made in the recovery folder
// (see RecoveryFolder) with a record of what it is for, and durable there before the first byte
// of the file is overwritten: a crash during the overwrite leaves it for the next run to finish
// (see InterruptedSaves). Locked from its creation to its removal, so that no one finishes an
// overwrite still running. Until the file has been touched, the copy goes with the object.
class RecoveryCopy
{
public:
    // Throws Failure when the recovery folder cannot be made or refuses a new file.
    RecoveryCopy();
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    [[nodiscard]] int fd() const { return m_copy.fd(); }
    [[nodiscard]] TextSink sink() { return TextSink(TextSink::Kind::File, fd(), &m_checksum); }

    // Adds the record of `file` after the text written and puts the copy on the disk under its
    // name; gives the text's length. Throws Failure: the file has not been touched then.
    [[nodiscard]] qint64 keepFor(const OpenedFile& file);
    // From here on the file is no longer what it was: the copy stays until removed.
    void fileTouched() { m_fileTouched = true; }
    // The overwrite is done.
    void remove();

private:
    NewFile m_copy;
    QCryptographicHash m_checksum{QCryptographicHash::Sha1};
    QByteArray m_name; // once kept
    bool m_fileTouched = false;
};

} // namespace cindral
