// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecoveryFolder.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"

#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cindral::recoveryfolder {
namespace {

constexpr mode_t ownerOnly = 0700;

[[nodiscard]] std::optional<QByteArray> home()
{
    if (const char* const variable = std::getenv("HOME"); variable && *variable == '/')
        return QByteArray(variable);
    if (const passwd* const user = ::getpwuid(::geteuid()); user && user->pw_dir)
        return QByteArray(user->pw_dir);
    return std::nullopt;
}

[[nodiscard]] FileDescriptor openFolder(const QByteArray& folder)
{
    return FileDescriptor(
        ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// Every folder on the way that is missing is made for the owner alone, as the folders of a
// user's state should be.
void makeFolders(const QByteArray& folder)
{
    for (qsizetype slash = folder.indexOf('/', 1); slash != -1;
         slash = folder.indexOf('/', slash + 1)) {
        if (::mkdir(folder.left(slash).constData(), ownerOnly) != 0 && errno != EEXIST)
            throw filefailure::fromErrno(errno, "cannot make the recovery folder");
    }
    if (::mkdir(folder.constData(), ownerOnly) != 0 && errno != EEXIST)
        throw filefailure::fromErrno(errno, "cannot make the recovery folder");
}

} // namespace

std::optional<QByteArray> path()
{
    const char* const state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return QByteArray(state) + "/cindral/recovery";
    const std::optional<QByteArray> folder = home();
    return folder ? std::optional(*folder + "/.local/state/cindral/recovery") : std::nullopt;
}

FileDescriptor open()
{
    const std::optional<QByteArray> folder = path();
    if (!folder)
        throw filefailure::fileError("no home folder for the recovery folder");
    makeFolders(*folder);
    FileDescriptor opened = openFolder(*folder);
    if (!opened.isOpen())
        throw filefailure::fromErrno(errno, "cannot open the recovery folder");
    // A folder others may enter would show them the new text.
    const struct stat info = fileio::statOf(opened.get(), "cannot examine the recovery folder");
    if (info.st_uid != ::geteuid())
        throw filefailure::fileError("the recovery folder belongs to someone else");
    if ((info.st_mode & 077) != 0 && ::fchmod(opened.get(), ownerOnly) != 0)
        throw filefailure::fromErrno(errno, "cannot close the recovery folder to others");
    return opened;
}

FileDescriptor openExisting()
{
    const std::optional<QByteArray> folder = path();
    return folder ? openFolder(*folder) : FileDescriptor();
}

} // namespace cindral::recoveryfolder
