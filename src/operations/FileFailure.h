#pragma once

#include "cipher/Failure.h"

#include <QByteArray>
#include <string>

// Turns what the system said about a file into the failure an operation reports.
namespace cindral::filefailure {

// A write cut short for lack of space is DiskFull, exhausted memory OutOfMemory, anything else
// FileError.
[[nodiscard]] Failure fromErrno(int error, const std::string& what, const QByteArray& path);

[[nodiscard]] Failure fileError(const std::string& why, const QByteArray& path);

} // namespace cindral::filefailure
