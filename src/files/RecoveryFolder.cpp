// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecoveryFolder.h"

#include "base/Failure.h"
#include "files/FileFailure.h"
#include "files/FileIo.h"

#include <QByteArrayList>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cindral {
namespace {

using filefailure::fileError;
using filefailure::fromErrno;

constexpr mode_t folderOfTheOwner = 0700;

// Where a folder is reached from, and the folders below it on the way, which are opened one at a
// time without following a link.
struct Place
{
    QByteArray base;
    QByteArrayList below;
};

[[nodiscard]] bool isOwnFolder(const QByteArray& path)
{
    struct stat info = {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid();
}

[[nodiscard]] std::optional<QByteArray> variable(const char* name)
{
    const char* const value = std::getenv(name);
    return value && *value == '/' ? std::optional(QByteArray(value)) : std::nullopt;
}

// The home of the user who runs the program, unless it is not theirs.
[[nodiscard]] std::optional<QByteArray> home()
{
    if (const auto named = variable("HOME"); named && isOwnFolder(*named))
        return named;
    const passwd* const user = ::getpwuid(::geteuid());
    if (user && user->pw_dir && isOwnFolder(user->pw_dir))
        return QByteArray(user->pw_dir);
    return std::nullopt;
}

// $XDG_STATE_HOME, or where it is missing, its nearest folder that exists; only when that is the
// user's.
[[nodiscard]] std::optional<Place> stateHome()
{
    const std::optional<QByteArray> state = variable("XDG_STATE_HOME");
    if (!state)
        return std::nullopt;
    Place place{*state, {}};
    struct stat info = {};
    while (::stat(place.base.constData(), &info) != 0 && errno == ENOENT) {
        const qsizetype slash = place.base.lastIndexOf('/');
        place.below.prepend(place.base.sliced(slash + 1));
        place.base.truncate(std::max<qsizetype>(slash, 1));
    }
    return isOwnFolder(place.base) ? std::optional(place) : std::nullopt;
}

[[nodiscard]] std::vector<Place> places()
{
    std::vector<Place> found;
    if (std::optional<Place> state = stateHome()) {
        state->below += {"cindral", "recovery"};
        found.push_back(*state);
    } else if (const std::optional<QByteArray> folder = home()) {
        found.push_back({*folder, {".local", "state", "cindral", "recovery"}});
    }
    found.push_back({"/var/tmp", {"cindral-" + QByteArray::number(::geteuid())}});
    return found;
}

[[nodiscard]] QByteArray pathTo(const Place& place)
{
    QByteArray path = place.base;
    for (const QByteArray& name : place.below)
        path += '/' + name;
    return path;
}

enum class Making
{
    Missing, // folders that are missing are made
    None,
};

// One folder on the way, not a link. A missing one is made and synced into its parent before
// anything is put in it, so that a power cut cannot take it away with what it holds.
[[nodiscard]] FileDescriptor openBelow(int parent, const QByteArray& name, Making making)
{
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    FileDescriptor folder(::openat(parent, name.constData(), flags));
    if (!folder.isOpen() && errno == ENOENT && making == Making::Missing) {
        if (::mkdirat(parent, name.constData(), folderOfTheOwner) != 0 && errno != EEXIST)
            throw fromErrno(errno, "cannot make the recovery folder");
        if (!fileio::syncFolder(parent))
            throw fromErrno(errno, "cannot make the recovery folder durable");
        folder = FileDescriptor(::openat(parent, name.constData(), flags));
    }
    if (!folder.isOpen())
        throw errno == ENOTDIR || errno == ELOOP ? fileError("a link or a file on the way")
                                                 : fromErrno(errno, "cannot open");
    return folder;
}

// A folder on the way may be root's too (/var/tmp is); what others may write into is no way to a
// folder of the user's, since they could swap what lies below.
void checkOnTheWay(int folder)
{
    const struct stat info = fileio::statOf(folder);
    if ((info.st_uid != ::geteuid() && info.st_uid != 0) ||
        ((info.st_mode & S_IWOTH) != 0 && (info.st_mode & S_ISVTX) == 0))
        throw fileError("a folder on the way belongs to someone else");
}

void checkOwn(int folder)
{
    const struct stat info = fileio::statOf(folder);
    if (info.st_uid != ::geteuid())
        throw fileError("the folder belongs to someone else");
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        throw fileError("others may write into the folder");
}

[[nodiscard]] FileDescriptor openPlace(const Place& place, Making making)
{
    FileDescriptor folder(::open(place.base.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isOpen())
        throw fromErrno(errno, "cannot open");
    for (const QByteArray& name : place.below) {
        checkOnTheWay(folder.get());
        folder = openBelow(folder.get(), name, making);
    }
    checkOwn(folder.get());
    return folder;
}

// What decides where the folder is looked for.
[[nodiscard]] QByteArray whereToLook()
{
    return QByteArray::number(::geteuid()) + '\0' + variable("XDG_STATE_HOME").value_or("") + '\0' +
           variable("HOME").value_or("");
}

// The folder found last, kept so that a run over many files does not walk the way to it anew for
// every file; a guard, since such a run saves files side by side.
std::mutex lastFoundMutex;
std::optional<RecoveryFolder> lastFound;
QByteArray lastLookedFor;

} // namespace

// Whether the path still leads to the folder found there and the folder is still the user's
// alone; should anything have been moved since, the way is walked and checked again.
bool RecoveryFolder::stillLeadsTo(const RecoveryFolder& found)
{
    struct stat atPath = {};
    struct stat opened = {};
    return ::lstat(found.m_path.constData(), &atPath) == 0 && ::fstat(found.fd(), &opened) == 0 &&
           atPath.st_dev == opened.st_dev && atPath.st_ino == opened.st_ino &&
           opened.st_nlink > 0 && opened.st_uid == ::geteuid() && (opened.st_mode & 077) == 0;
}

RecoveryFolder::RecoveryFolder(FileDescriptor folder, QByteArray path)
    : m_folder(std::move(folder)), m_path(std::move(path))
{}

RecoveryFolder RecoveryFolder::findForSaving()
{
    std::optional<Failure> first;
    for (const Place& place : places()) {
        try {
            FileDescriptor folder = openPlace(place, Making::Missing);
            // What the copies hold is the user's text: nobody else may even look.
            if ((fileio::statOf(folder.get()).st_mode & 077) != 0 &&
                ::fchmod(folder.get(), folderOfTheOwner) != 0)
                throw fromErrno(errno, "cannot close the folder to others");
            return RecoveryFolder(std::move(folder), pathTo(place));
        } catch (const Failure& failure) {
            if (!first)
                first =
                    Failure(failure.number(), "the recovery folder " + pathTo(place).toStdString() +
                                                  ": " + failure.what());
        }
    }
    throw *first;
}

RecoveryFolder RecoveryFolder::forSaving()
{
    const std::lock_guard lock(lastFoundMutex);
    const QByteArray lookingFor = whereToLook();
    if (!lastFound || lastLookedFor != lookingFor || !stillLeadsTo(*lastFound)) {
        lastFound.reset();
        lastLookedFor = lookingFor;
        lastFound = findForSaving();
    }
    return RecoveryFolder(FileDescriptor(::fcntl(lastFound->fd(), F_DUPFD_CLOEXEC, 0)),
                          lastFound->path());
}

std::vector<RecoveryFolder> RecoveryFolder::existing(std::vector<InterruptedSave>& refused)
{
    std::vector<RecoveryFolder> folders;
    for (const Place& place : places()) {
        const QByteArray path = pathTo(place);
        struct stat info = {};
        if (::lstat(path.constData(), &info) != 0)
            continue;
        try {
            folders.push_back(RecoveryFolder(openPlace(place, Making::None), path));
        } catch (const Failure& failure) {
            refused.push_back(
                {InterruptedSave::Outcome::LeftAlone, path, QString::fromUtf8(failure.what())});
        }
    }
    return folders;
}

} // namespace cindral
