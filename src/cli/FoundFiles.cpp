// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/FoundFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cindral::cli {
namespace {

enum class Link
{
    Followed, // the folder named on the command line
    Refused,  // a folder found inside it
};

[[nodiscard]] std::string cannotList(int error)
{
    return std::string("cannot list: ") + std::strerror(error);
}

[[nodiscard]] QByteArray pathIn(const QByteArray& folder, const char* name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// Every regular file below the folder `name` in `parent` (at `path`) into `found`. Each folder is
// opened through the one it lies in, never by a link, so a link swapped in meanwhile cannot lead
// the walk elsewhere.
void walk(int parent, const char* name, Link link, const QByteArray& path,
          std::vector<FoundFile>& found)
{
    const int fd =
        ::openat(parent, name,
                 O_RDONLY | O_DIRECTORY | O_CLOEXEC | (link == Link::Refused ? O_NOFOLLOW : 0));
    DIR* const folder = fd < 0 ? nullptr : ::fdopendir(fd);
    if (folder == nullptr) {
        found.push_back({path, cannotList(errno)});
        if (fd >= 0)
            ::close(fd);
        return;
    }
    for (errno = 0; const dirent* entry = ::readdir(folder); errno = 0) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const QByteArray child = pathIn(path, entry->d_name);
        struct stat info = {};
        // One that vanished or cannot be examined is left to the operation to say why.
        if (::fstatat(::dirfd(folder), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            found.push_back({child, {}});
        else if (S_ISDIR(info.st_mode))
            walk(::dirfd(folder), entry->d_name, Link::Refused, child, found);
        else if (S_ISREG(info.st_mode))
            found.push_back({child, {}});
    }
    if (errno != 0)
        found.push_back({path, cannotList(errno)});
    ::closedir(folder);
}

[[nodiscard]] bool isFolder(const QByteArray& path)
{
    struct stat info = {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::vector<FoundFile> filesToWorkOn(const QByteArrayList& operands, Recursion recursion)
{
    std::vector<FoundFile> files;
    for (const QByteArray& operand : operands) {
        if (recursion == Recursion::Off || !isFolder(operand)) {
            files.push_back({operand, {}});
            continue;
        }
        std::vector<FoundFile> below;
        walk(AT_FDCWD, operand.constData(), Link::Followed, operand, below);
        std::ranges::sort(below, {}, &FoundFile::path);
        files.insert(files.end(), below.begin(), below.end());
    }
    return files;
}

} // namespace cindral::cli
