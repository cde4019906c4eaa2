// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cipher/EncryptedFileLayout.h"

#include <QByteArray>
#include <QtGlobal>

namespace cindral {

// The working values of one operation that a later step reads, owned by the
// main window and reset at the start of every operation. The text itself never lies here: it
// passes from the file to the new file a piece at a time.
struct OperationState
{
    QByteArray pwdarg;    // the password handed to the transform
    QByteArray newpwdarg; // rekey: the password the text is encrypted under anew
    int pwdavg = 0;       // fingerprint of the typed (rekey: new) password, the trailer of an image
    cipher::Verdict verdict = cipher::Verdict::Match;
    cipher::FileStatus status = cipher::FileStatus::NotEncrypted;
    QByteArray filename;   // path of the file under operation, as the file system's bytes
    qint16 digitcount = 0; // length of the trailer the password check matched

    // Resets the record at the start of an operation; pwdarg, newpwdarg, pwdavg and status are
    // always assigned before they are read, so they are left as they are.
    void cleanval();
};

} // namespace cindral
