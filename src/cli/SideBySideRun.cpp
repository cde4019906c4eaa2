// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/SideBySideRun.h"

#include "cli/CapturedLines.h"
#include "files/FlushGroup.h"
#include "files/NamesSlot.h"
#include "files/PieceSize.h"

#include <algorithm>
#include <bit>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace cindral::cli {
namespace {

constexpr std::size_t mostSideBySide = 64;
// A file's operation holds about a dozen descriptors; the run keeps well under the limit.
constexpr rlim_t descriptorsPerFile = 32;
// What the pieces of the files in flight may take together; a file larger than a piece has the
// whole of it, so large files are worked on a few at a time.
constexpr qsizetype pieceBudget = 2 * defaultPieceSize;
constexpr qsizetype smallestPiece = 16 * 1024;
constexpr double bytesPerMiB = 1024.0 * 1024.0;

[[nodiscard]] std::size_t sideBySide()
{
    struct rlimit limit = {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 1;
    return std::clamp<std::size_t>(limit.rlim_cur / descriptorsPerFile, 1, mostSideBySide);
}

struct Identity
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
};

struct Job
{
    FoundFile file;
    std::optional<Identity> identity;
    qint64 size = 0;
    qsizetype pieceSize = smallestPiece;
    std::optional<Outcome> outcome;
    CapturedLines::Written lines;
};

[[nodiscard]] std::unique_ptr<Job> jobFor(FoundFile file)
{
    auto job = std::make_unique<Job>();
    struct stat info = {};
    if (file.unlisted.empty() && ::stat(file.path.constData(), &info) == 0) {
        job->identity = Identity{info.st_dev, info.st_ino};
        job->size = info.st_size;
        job->pieceSize = std::clamp<qsizetype>(
            static_cast<qsizetype>(std::bit_ceil(static_cast<quint64>(info.st_size) + 1)),
            smallestPiece, defaultPieceSize);
    }
    job->file = std::move(file);
    return job;
}

[[nodiscard]] QByteArray mib(qint64 bytes)
{
    return QByteArray::number(static_cast<double>(bytes) / bytesPerMiB, 'f', 1);
}

} // namespace

struct SideBySideRun::State
{
    std::vector<std::unique_ptr<Job>> jobs;
    std::size_t width = 1;
    std::mutex mutex;
    std::condition_variable mayStart; // for the workers
    std::condition_variable oneDone;  // for the run, which writes the lines
    std::size_t next = 0;             // the first file no one works on yet
    std::size_t written = 0;          // the files whose lines are written
    qsizetype piecesInFlight = 0;
    std::vector<Identity> inFlight;
    FlushGroup flushes;

    // Whether the next file may be taken now; called with the lock held.
    [[nodiscard]] bool nextMayStart() const
    {
        const Job& job = *jobs[next];
        const bool sameFileInFlight = job.identity && std::find(inFlight.begin(), inFlight.end(),
                                                                *job.identity) != inFlight.end();
        const bool roomForPieces =
            piecesInFlight == 0 || piecesInFlight + job.pieceSize <= pieceBudget;
        return !sameFileInFlight && roomForPieces && next < written + 4 * width;
    }
};

SideBySideRun::SideBySideRun(std::vector<FoundFile> files, Work work)
    : m_work(std::move(work)), m_state(std::make_unique<State>())
{
    for (FoundFile& file : files)
        m_state->jobs.push_back(jobFor(std::move(file)));
    m_state->width = std::min(sideBySide(), m_state->jobs.size());
}

SideBySideRun::~SideBySideRun() = default;

void SideBySideRun::workOnFiles()
{
    State& state = *m_state;
    const NamesSlot slot;
    std::unique_lock lock(state.mutex);
    for (;;) {
        state.mayStart.wait(
            lock, [&] { return state.next == state.jobs.size() || state.nextMayStart(); });
        if (state.next == state.jobs.size())
            return;
        Job& job = *state.jobs[state.next++];
        state.piecesInFlight += job.pieceSize;
        if (job.identity)
            state.inFlight.push_back(*job.identity);
        lock.unlock();
        CapturedLines lines;
        Outcome outcome = Outcome::Failed;
        {
            const FlushGroup::Member member(state.flushes);
            outcome = m_work(job.file, job.pieceSize, lines.out(), lines.err());
        }
        lock.lock();
        job.outcome = outcome;
        job.lines = lines.taken();
        state.piecesInFlight -= job.pieceSize;
        if (job.identity)
            state.inFlight.erase(
                std::find(state.inFlight.begin(), state.inFlight.end(), *job.identity));
        state.oneDone.notify_one();
        state.mayStart.notify_all();
    }
}

ExitStatus SideBySideRun::run(QIODevice& out, QIODevice& err, std::optional<ProgressBar>& bar)
{
    State& state = *m_state;
    qint64 total = 0;
    for (const auto& job : state.jobs)
        total += job->size;
    std::vector<std::jthread> workers;
    for (std::size_t worker = 0; worker < state.width; ++worker)
        workers.emplace_back([this] { workOnFiles(); });

    ExitStatus status = ExitStatus::Success;
    qint64 done = 0;
    const QByteArray count = QByteArray::number(static_cast<qulonglong>(state.jobs.size()));
    std::unique_lock lock(state.mutex);
    for (std::unique_ptr<Job>& waitedFor : state.jobs) {
        state.oneDone.wait(lock, [&] { return waitedFor->outcome.has_value(); });
        // Written without the lock, so that a slow reader of the lines holds up no save.
        const std::unique_ptr<Job> job = std::move(waitedFor);
        lock.unlock();
        if (bar)
            bar->clear();
        CapturedLines::writeTo(job->lines, out, err);
        status = worse(status, exitStatusOf(*job->outcome));
        done += job->size;
        lock.lock();
        ++state.written;
        state.mayStart.notify_all();
        if (bar)
            bar->update(done, total,
                        QByteArray::number(static_cast<qulonglong>(state.written)) + " of " +
                            count + " files, " + mib(done) + " of " + mib(total) + " MiB  ");
    }
    lock.unlock();
    if (bar)
        bar->clear();
    return status;
}

} // namespace cindral::cli
