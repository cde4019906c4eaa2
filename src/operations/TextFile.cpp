#include "operations/TextFile.h"

#include "cipher/Failure.h"
#include "operations/FileDescriptor.h"
#include "operations/FileFailure.h"
#include "operations/FileSaving.h"
#include "operations/LineRule.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cindral {

using filefailure::fileError;
using filefailure::fromErrno;

namespace {

// Kept below the kernel's limit for a single read call.
constexpr qsizetype largestRead = qsizetype{1} << 30;
constexpr qsizetype readGrowth = qsizetype{1} << 20;
constexpr qsizetype largePagesFrom = qsizetype{4} << 20;

// A folder, a device or a pipe is no text file; a pipe would also block the read forever.
[[nodiscard]] FileDescriptor openForReading(const QByteArray& path, struct stat& info)
{
    FileDescriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.isOpen())
        throw fromErrno(errno, "cannot open");
    if (::fstat(file.get(), &info) != 0)
        throw fromErrno(errno, "cannot examine");
    if (!S_ISREG(info.st_mode))
        throw fileError("not a regular file");
    return file;
}

// Touching a fresh buffer page by page costs more than reading the file into it; large pages
// cut the number of those first touches. Only advice: refused, it changes nothing.
void preferLargePages(QByteArray& buffer)
{
    if (buffer.size() < largePagesFrom)
        return;
    const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + pageSize - 1) & ~(pageSize - 1);
    const std::uintptr_t last =
        (begin + static_cast<std::uintptr_t>(buffer.size())) & ~(pageSize - 1);
    if (last > first)
        (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

// Reads to the end into one buffer sized from the file, with room for one more line end. The
// size is only a hint: a file that changes while it is read is still read to its end.
[[nodiscard]] QByteArray readToEnd(int fd, qsizetype expectedSize)
{
    QByteArray text(expectedSize + lineEndSize, Qt::Uninitialized);
    preferLargePages(text);
    qsizetype filled = 0;
    for (;;) {
        if (filled == text.size()) {
            text.reserve(filled + filled / 8 + readGrowth);
            text.resize(text.capacity());
        }
        const qsizetype wanted = std::min(text.size() - filled, largestRead);
        const ssize_t got = ::read(fd, text.data() + filled, static_cast<size_t>(wanted));
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw fromErrno(errno, "cannot read");
        }
        filled += got;
    }
    text.resize(filled);
    return text;
}

} // namespace

QByteArray loadtext(const QByteArray& filename, LineEnds appendLineEnds,
                    const std::function<void()>& opened)
{
    try {
        struct stat info = {};
        const FileDescriptor file = openForReading(filename, info);
        if (opened)
            opened();
        QByteArray text = readToEnd(file.get(), static_cast<qsizetype>(info.st_size));
        applyLineRule(text, appendLineEnds);
        return text;
    } catch (const std::bad_alloc&) {
        throw Failure(FailureNumber::OutOfMemory);
    }
}

void savetext(const QByteArray& filename, std::span<const QByteArrayView> pieces)
{
    try {
        saveWhole(filename, pieces);
    } catch (const std::bad_alloc&) {
        throw Failure(FailureNumber::OutOfMemory);
    }
}

} // namespace cindral
