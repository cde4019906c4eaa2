#include "operations/FileSaving.h"

#include "cipher/Failure.h"
#include "operations/FileDescriptor.h"
#include "operations/FileFailure.h"
#include "operations/FileIdentity.h"
#include "operations/NewFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cindral {

using filefailure::fileError;
using filefailure::fromErrno;

namespace {

constexpr qsizetype writebackStep = qsizetype{16} << 20;

[[nodiscard]] qsizetype totalSize(std::span<const QByteArrayView> pieces)
{
    qsizetype total = 0;
    for (const QByteArrayView piece : pieces)
        total += piece.size();
    return total;
}

// Writes one piece of at most `writebackStep` bytes in full.
void writeFully(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, static_cast<size_t>(size));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            throw fromErrno(done < 0 ? errno : ENOSPC, "cannot write");
        data += done;
        size -= done;
    }
}

// Writes from the file's start. Each step is handed to the disk as soon as it is written, so
// the final flush waits for little more than the last step.
void writeAll(int fd, std::span<const QByteArrayView> pieces)
{
    off_t offset = 0;
    for (const QByteArrayView piece : pieces) {
        for (qsizetype done = 0; done < piece.size(); done += writebackStep) {
            const qsizetype step = std::min(writebackStep, piece.size() - done);
            writeFully(fd, piece.data() + done, step);
            (void)::sync_file_range(fd, offset, step, SYNC_FILE_RANGE_WRITE);
            offset += step;
        }
    }
}

void syncToDisk(int fd)
{
    if (::fsync(fd) != 0)
        throw fromErrno(errno, "cannot flush");
}

[[nodiscard]] QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : path.left(std::max<qsizetype>(slash, 1));
}

enum class Replacement
{
    Done,
    NotPossible, // no new file can stand in the old one's place, as its owner and mode
};

// The file being replaced: its descriptor and what fstat said of it.
struct Original
{
    int fd;
    struct stat info;
};

[[nodiscard]] Replacement replaceWhole(const QByteArray& path, const Original* original,
                                       std::span<const QByteArrayView> pieces)
{
    std::optional<NewFile> file;
    try {
        file.emplace(folderOf(path));
    } catch (const Failure&) {
        if (original)
            return Replacement::NotPossible;
        throw;
    }
    if (original && !takeOverIdentity(file->fd(), original->fd, original->info))
        return Replacement::NotPossible;
    writeAll(file->fd(), pieces);
    file->replace(path);
    return Replacement::Done;
}

// Overwriting in place cannot be undone, so every known reason to stop is found first.
void reserveSpace(int fd, qsizetype total)
{
    struct rlimit limit = {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(total) > limit.rlim_cur)
        throw fromErrno(EFBIG, "cannot reserve space");
    if (total == 0)
        return;
    int result = 0;
    do {
        result = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, total);
    } while (result != 0 && errno == EINTR);
    // A file system that cannot reserve space is written without the reservation.
    if (result != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
        throw fromErrno(errno, "cannot reserve space");
}

void overwriteInPlace(int fd, std::span<const QByteArrayView> pieces)
{
    const qsizetype total = totalSize(pieces);
    reserveSpace(fd, total);
    writeAll(fd, pieces);
    if (::ftruncate(fd, total) != 0)
        throw fromErrno(errno, "cannot truncate");
    syncToDisk(fd);
}

// The old content is about to go; its cached pages are better spent on the new file.
void dropCachedContent(int fd)
{
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
}

[[nodiscard]] bool ownerMayWrite(const struct stat& info)
{
    return (info.st_mode & S_IWUSR) != 0;
}

[[nodiscard]] QByteArray resolvedPath(const QByteArray& path)
{
    char* resolved = ::realpath(path.constData(), nullptr);
    if (!resolved)
        throw fromErrno(errno, "cannot resolve");
    QByteArray result(resolved);
    std::free(resolved);
    return result;
}

void saveOverExisting(FileDescriptor file, const QByteArray& path,
                      std::span<const QByteArrayView> pieces)
{
    Original original{file.get(), {}};
    if (::fstat(file.get(), &original.info) != 0)
        throw fromErrno(errno, "cannot examine");
    if (!S_ISREG(original.info.st_mode))
        throw fileError("not a regular file");
    if (!ownerMayWrite(original.info))
        throw fileError("read-only");
    // Replacing a file with other names would leave the old text readable under them.
    if (original.info.st_nlink == 1) {
        dropCachedContent(file.get());
        if (replaceWhole(resolvedPath(path), &original, pieces) == Replacement::Done)
            return;
    }
    overwriteInPlace(file.get(), pieces);
}

} // namespace

void saveWhole(const QByteArray& path, std::span<const QByteArrayView> pieces)
{
    // Opening for writing proves the right to write, also where the folder would allow a
    // replacement; a missing file is created like any other new one.
    FileDescriptor existing(::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (existing.isOpen())
        saveOverExisting(std::move(existing), path, pieces);
    else if (errno == ENOENT && !path.isEmpty())
        (void)replaceWhole(path, nullptr, pieces);
    else
        throw fromErrno(errno, "cannot open");
}

} // namespace cindral
