#pragma once

#include "cipher/EncryptedImage.h"

#include <QByteArray>
#include <QtGlobal>

namespace cindral {

// The working values of one Encrypt or Decrypt operation, owned by the main window and reset at
// the start of every operation. Scratch values of a single procedure (loop positions, code
// sums, the line being read) live in that procedure instead.
struct OperationState
{
    QByteArray textarg; // the text handed to the transform; moved from filetext, not copied
    QByteArray pwdarg;  // the password handed to the transform
    QByteArray result;  // the transform's output
    int pwdavg = 0;     // fingerprint of the typed password
    cipher::Verdict verdict = cipher::Verdict::Match;
    cipher::FileStatus status = cipher::FileStatus::NotEncrypted;
    QByteArray filetext; // the whole text loaded from the file
    QByteArray filename; // path of the file under operation, as the file system's bytes
    qint16 filenum = 0;  // the one file number an operation uses
    qint16 digitcount = 0;

    // Resets the record at the start of an operation; pwdarg, pwdavg and status are always
    // assigned before they are read, so they are left as they are.
    void cleanval();
};

inline constexpr qint16 operationFileNumber = 225;

} // namespace cindral
