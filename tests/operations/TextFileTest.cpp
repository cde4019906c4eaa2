#include "operations/TextFile.h"

#include "ScratchFiles.h"
#include "cipher/Failure.h"

#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

using cindral::LineEnds;
using cindral::loadtext;

namespace {

constexpr int fileError = static_cast<int>(cindral::FailureNumber::FileError);

// The failure number an action ends with, 0 for none.
int failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const cindral::Failure& failure) {
        return static_cast<int>(failure.number());
    }
    return 0;
}

// CR LF or a lone CR ends a line, and no line follows the last line end. Lone CRs at the start,
// side by side and at the very end are where a scan that moves bytes in place goes wrong.
TEST(Loadtext, AppendsOrJoinsLines)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    // file, read with line ends appended, read with lines joined
    const std::tuple<QByteArray, QByteArray, QByteArray> rows[] = {
        {"A\r\nB", "A\r\nB\r\n", "AB"},
        {"A\r\nB\r\n", "A\r\nB\r\n", "AB"},
        {"", "", ""},
        {"A\nB\n", "A\nB\n\r\n", "A\nB\n"}, // LF alone ends no line
        {"A\r", "A\r\n", "A"},
        {"\r\rA\r\rB", "\r\n\r\nA\r\n\r\nB\r\n", "AB"},
        {"A\r\n\rB\r", "A\r\n\r\nB\r\n", "AB"},
        {QByteArray("\xA9\0\xFF\r\n", 5), QByteArray("\xA9\0\xFF\r\n", 5),
         QByteArray("\xA9\0\xFF", 3)},
    };
    for (const auto& [file, appended, joined] : rows) {
        writeBytes(path, file);
        EXPECT_EQ(loadtext(QFile::encodeName(path), LineEnds::Append), appended)
            << file.toPercentEncoding().constData();
        EXPECT_EQ(loadtext(QFile::encodeName(path), LineEnds::Join), joined)
            << file.toPercentEncoding().constData();
    }
}

TEST(Loadtext, FailsWith75BeforeTheFileCountsAsOpened)
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath("pipe"); // would block the read forever
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {folder.filePath("missing.txt"), folder.path(), fifo,
                                folder.filePath("missing/text.txt")}) {
        int opened = 0;
        EXPECT_EQ(failureOf([&] {
                      (void)loadtext(QFile::encodeName(path), LineEnds::Append, [&] { ++opened; });
                  }),
                  fileError)
            << path.toStdString();
        EXPECT_EQ(opened, 0);
    }
}

int failureOfSave(const QString& path, QByteArrayView content)
{
    return failureOf([&] { cindral::savetext(QFile::encodeName(path), std::span(&content, 1)); });
}

QByteArray name(const QString& path)
{
    return QFile::encodeName(path);
}

// The target of a link gets the new content, its mode and, where the test may give the file to
// others, its owner and group; the link stays a link.
TEST(Savetext, ReplacesTheFileALinkNamesKeepingModeOwnerAndGroup)
{
    QTemporaryDir folder;
    const QString target = folder.filePath("target.txt");
    const QString link = folder.filePath("link.txt");
    writeBytes(target, "the old content");
    ASSERT_EQ(::symlink("target.txt", name(link)), 0);
    const bool root = ::geteuid() == 0;
    ASSERT_EQ((root ? ::chown(name(target), 1234, 5678) : 0) | ::chmod(name(target), 02640), 0);

    EXPECT_EQ(failureOfSave(link, "new text"), 0);

    struct stat info = {};
    ASSERT_EQ(::stat(name(target), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 02640);
    EXPECT_EQ(info.st_uid, root ? 1234 : ::geteuid());
    EXPECT_EQ(info.st_gid, root ? 5678 : ::getegid());
    EXPECT_EQ(readBytes(target), "new text");
    EXPECT_EQ(QFile::symLinkTarget(link), target);
    EXPECT_EQ(entriesOf(folder.path()), (QStringList{"link.txt", "target.txt"}));
}

// The owner's write bit decides, also for root, who could write anyway.
TEST(Savetext, FailsWith75AndChangesNothing)
{
    QTemporaryDir folder;
    const QString readOnly = folder.filePath("read-only.txt");
    writeBytes(readOnly, "kept");
    ASSERT_EQ(::chmod(name(readOnly), 0444), 0);
    for (const QString& path : {readOnly, folder.path(), folder.filePath("missing/text.txt")})
        EXPECT_EQ(failureOfSave(path, "new"), fileError) << path.toStdString();
    EXPECT_EQ(readBytes(readOnly), "kept");
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"read-only.txt"});
}

// A write cut short, by a new file or in place, leaves the old content and no stray file. A
// whole write in place reaches every name of a hard-linked file: replacing one name would leave
// the old text readable under the other.
TEST(Savetext, AWriteCutShortLeavesTheFileAsItWasAndAWholeOneReachesEveryName)
{
    for (const bool hardLinked : {false, true}) {
        QTemporaryDir folder;
        const QString path = folder.filePath("text.txt");
        writeBytes(path, "the original content\r\n");
        if (hardLinked) {
            ASSERT_EQ(::link(name(path), name(folder.filePath("other.txt"))), 0);
        }
        const QStringList before = entriesOf(folder.path());
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const struct rlimit limit = {4096, 4096};
            ::_exit(::setrlimit(RLIMIT_FSIZE, &limit) == 0
                        ? failureOfSave(path, QByteArray(64 * 1024, 'n'))
                        : 100);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(cindral::FailureNumber::DiskFull))
            << (hardLinked ? "in place" : "new file");
        EXPECT_EQ(readBytes(path), "the original content\r\n");
        EXPECT_EQ(entriesOf(folder.path()), before);

        EXPECT_EQ(failureOfSave(path, "short"), 0);
        EXPECT_EQ(readBytes(folder.filePath(hardLinked ? "other.txt" : "text.txt")), "short");
        EXPECT_EQ(entriesOf(folder.path()), before);
    }
}

} // namespace
