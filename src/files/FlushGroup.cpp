// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/FlushGroup.h"

#include "files/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace cindral {
namespace {

thread_local FlushGroup* joined = nullptr;

// A folder is flushed through a handle that can read it, which an O_PATH one cannot.
[[nodiscard]] FileDescriptor readableFolder(int folder)
{
    return FileDescriptor(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// `fd` a file, or a folder open for reading.
[[nodiscard]] bool flushAlone(int fd, FlushGroup::Target target)
{
    // A file system that keeps no folder data of its own to flush says EINVAL.
    return ::fsync(fd) == 0 || (target == FlushGroup::Target::Folder && errno == EINVAL);
}

// File systems whose flush of the whole system writes everything written to it before, data,
// sizes and names, and then empties the disk's cache. FUSE's, for one, may do nothing at all.
[[nodiscard]] bool flushesWhole(int fd)
{
    struct statfs system = {};
    if (::fstatfs(fd, &system) != 0)
        return false;
    switch (system.f_type) {
    case EXT4_SUPER_MAGIC: // ext2 and ext3 too
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
        return true;
    default:
        return false;
    }
}

// One file or folder of a request, and what flushing it gave.
struct Part
{
    int fd;
    FlushGroup::Target target;
    dev_t system;
    bool whole;
    int error = 0;
};

} // namespace

struct FlushGroup::Request
{
    std::vector<Part> parts;
    bool done = false;
    std::condition_variable flushed;
};

FlushGroup::Member::Member(FlushGroup& group)
{
    joined = &group;
}

FlushGroup::Member::~Member()
{
    joined = nullptr;
}

FlushGroup::FlushGroup() : m_flusher([this](std::stop_token stop) { flushWhatWaits(stop); }) {}

FlushGroup::~FlushGroup() = default;

bool FlushGroup::flush(std::initializer_list<Flushed> flushed)
{
    std::vector<FileDescriptor> folders;
    std::vector<Flushed> readable;
    for (Flushed part : flushed) {
        if (part.target == Target::Folder) {
            folders.push_back(readableFolder(part.fd));
            if (!folders.back().isOpen())
                return false;
            part.fd = folders.back().get();
        }
        readable.push_back(part);
    }
    if (joined != nullptr)
        return joined->flushInGroup(readable);
    return std::all_of(readable.begin(), readable.end(),
                       [](const Flushed& part) { return flushAlone(part.fd, part.target); });
}

bool FlushGroup::flushInGroup(const std::vector<Flushed>& flushed)
{
    Request request;
    for (const Flushed& part : flushed) {
        struct stat info = {};
        if (::fstat(part.fd, &info) != 0)
            return false;
        request.parts.push_back({part.fd, part.target, info.st_dev, false});
    }
    std::unique_lock lock(m_mutex);
    for (Part& part : request.parts) {
        auto known = std::find_if(m_systems.begin(), m_systems.end(),
                                  [&](const auto& system) { return system.first == part.system; });
        if (known == m_systems.end())
            known = m_systems.insert(m_systems.end(), {part.system, flushesWhole(part.fd)});
        part.whole = known->second;
    }
    m_waiting.push_back(&request);
    m_arrived.notify_one();
    request.flushed.wait(lock, [&] { return request.done; });
    const auto failed = std::find_if(request.parts.begin(), request.parts.end(),
                                     [](const Part& part) { return part.error != 0; });
    if (failed == request.parts.end())
        return true;
    errno = failed->error;
    return false;
}

// The group's own thread: whatever came to a flush while it last flushed is flushed next, all at
// once. Saves that come meanwhile wait for the next round, so flushing overlaps their work.
void FlushGroup::flushWhatWaits(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    while (m_arrived.wait(lock, stop, [&] { return !m_waiting.empty(); })) {
        std::vector<Request*> round = std::move(m_waiting);
        m_waiting.clear();
        lock.unlock();
        flushRound(round);
        // Each told under the lock: a request lives only while its save waits.
        lock.lock();
        for (Request* request : round) {
            request->done = true;
            request->flushed.notify_one();
        }
    }
}

void FlushGroup::flushRound(const std::vector<Request*>& round)
{
    std::vector<std::pair<dev_t, int>> systemsFlushed; // and errno, 0 for none
    for (Request* request : round) {
        for (Part& part : request->parts) {
            if (!part.whole) {
                part.error = flushAlone(part.fd, part.target) ? 0 : errno;
                continue;
            }
            auto flushed =
                std::find_if(systemsFlushed.begin(), systemsFlushed.end(),
                             [&](const auto& system) { return system.first == part.system; });
            if (flushed == systemsFlushed.end())
                flushed = systemsFlushed.insert(systemsFlushed.end(),
                                                {part.system, ::syncfs(part.fd) == 0 ? 0 : errno});
            part.error = flushed->second;
        }
    }
}

} // namespace cindral
