#include "operations/FileFailure.h"

#include <cerrno>
#include <cstring>

namespace cindral::filefailure {

Failure fromErrno(int error, const std::string& what, const QByteArray& path)
{
    const std::string detail = what + " " + path.toStdString() + ": " + std::strerror(error);
    switch (error) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return Failure(FailureNumber::DiskFull, detail);
    case ENOMEM:
        return Failure(FailureNumber::OutOfMemory, detail);
    default:
        return Failure(FailureNumber::FileError, detail);
    }
}

Failure fileError(const std::string& why, const QByteArray& path)
{
    return Failure(FailureNumber::FileError, why + ": " + path.toStdString());
}

} // namespace cindral::filefailure
