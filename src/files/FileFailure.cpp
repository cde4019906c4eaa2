// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/FileFailure.h"

#include <cerrno>
#include <cstring>

namespace cindral::filefailure {

Failure fromErrno(int error, const std::string& step)
{
    const std::string reason = step + ": " + std::strerror(error);
    switch (error) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return Failure(FailureNumber::DiskFull, reason);
    case ENOMEM:
        return Failure(FailureNumber::OutOfMemory, reason);
    default:
        return Failure(FailureNumber::FileError, reason);
    }
}

Failure fileError(const std::string& reason)
{
    return Failure(FailureNumber::FileError, reason);
}

Failure replaced()
{
    return fileError("the file or its folder was replaced while being worked on");
}

Failure changed()
{
    return fileError("the file changed while being worked on");
}

Failure inUse()
{
    return fileError("the file is in use by another Cindral");
}

Failure writtenMeanwhile(const QByteArray& keptIn)
{
    return Failure(FailureNumber::FileError,
                   "another program wrote to the file while it was overwritten; the new text is "
                   "kept in " +
                       keptIn.toStdString(),
                   keptIn.toStdString());
}

Failure openElsewhere()
{
    return fileError("the file is open in another program");
}

} // namespace cindral::filefailure
