// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/FileFailure.h"

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

} // namespace cindral::filefailure
