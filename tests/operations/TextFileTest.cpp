#include "operations/TextFile.h"

#include "ScratchFiles.h"
#include "cipher/Failure.h"
#include "operations/LineRule.h"

#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

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

// The line rule written the plain way: CR LF or a lone CR ends a line, and no line follows the
// last line end.
QByteArray byReference(QByteArray file, LineEnds lineEnds)
{
    QList<QByteArray> lines = file.replace("\r\n", "\r").split('\r');
    if (lines.last().isEmpty())
        lines.removeLast();
    const QByteArray lineEnd = lineEnds == LineEnds::Append ? "\r\n" : "";
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + lineEnd;
    return text;
}

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
        {"A\rB", "A\r\nB\r\n", "AB"},
        {"A\r\n\r\nB", "A\r\n\r\nB\r\n", "AB"},
        {QByteArray("\xA9\0\xFF\r\n", 5), QByteArray("\xA9\0\xFF\r\n", 5),
         QByteArray("\xA9\0\xFF", 3)},
    };
    for (const auto& [file, appended, joined] : rows) {
        writeBytes(path, file);
        EXPECT_EQ(loadtext(path, LineEnds::Append), appended)
            << file.toPercentEncoding().constData();
        EXPECT_EQ(loadtext(path, LineEnds::Join), joined) << file.toPercentEncoding().constData();
    }
}

// Every file of up to seven bytes made of a letter, CR and LF, through the rule loadtext applies
// to what it has read.
TEST(Loadtext, FollowsThePlainLineRuleForEveryShortFile)
{
    std::vector<QByteArray> files{QByteArray()};
    for (std::size_t shorter = 0; files[shorter].size() < 7; ++shorter)
        for (const char c : {'A', '\r', '\n'})
            files.push_back(files[shorter] + c);
    for (const QByteArray& file : files) {
        for (const LineEnds lineEnds : {LineEnds::Append, LineEnds::Join}) {
            QByteArray text = file;
            cindral::applyLineRule(text, lineEnds);
            ASSERT_EQ(text, byReference(file, lineEnds)) << file.toPercentEncoding().constData();
        }
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
        EXPECT_EQ(failureOf([&] { (void)loadtext(path, LineEnds::Append, [&] { ++opened; }); }),
                  fileError)
            << path.toStdString();
        EXPECT_EQ(opened, 0);
    }
}

int failureOfSave(const QString& path, QByteArrayView content)
{
    return failureOf([&] { cindral::savetext(path, std::span(&content, 1)); });
}

// The same, in a child process that `prepare` sets up first.
int failureOfSaveInChild(const QString& path, QByteArrayView content,
                         const std::function<void()>& prepare)
{
    const pid_t child = ::fork();
    if (child == 0) {
        prepare();
        ::_exit(failureOfSave(path, content));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QByteArray name(const QString& path)
{
    return QFile::encodeName(path);
}

// The mode, and the owner and group where the test may give the file to others.
TEST(Savetext, KeepsModeOwnerAndGroup)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    const bool root = ::geteuid() == 0;
    for (const mode_t mode : {0600, 0604, 02640}) {
        writeBytes(path, "the old content");
        ASSERT_EQ(::chmod(name(path), mode) | (root ? ::chown(name(path), 1234, 5678) : 0), 0);

        EXPECT_EQ(failureOfSave(path, "new text"), 0);

        struct stat info = {};
        ASSERT_EQ(::stat(name(path), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        EXPECT_EQ(info.st_uid, root ? 1234 : ::geteuid());
        EXPECT_EQ(info.st_gid, root ? 5678 : ::getegid());
        EXPECT_EQ(readBytes(path), "new text");
        EXPECT_EQ(entriesOf(folder.path()), QStringList{"text.txt"});
    }
}

TEST(Savetext, ReplacesTheFileALinkNamesAndKeepsTheLink)
{
    QTemporaryDir folder;
    const QString target = folder.filePath("target.txt");
    const QString link = folder.filePath("link.txt");
    writeBytes(target, "old");
    ASSERT_EQ(::symlink("target.txt", name(link)), 0);

    EXPECT_EQ(failureOfSave(link, "new"), 0);

    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(QFile::symLinkTarget(link), target);
    EXPECT_EQ(entriesOf(folder.path()), (QStringList{"link.txt", "target.txt"}));
}

// Replacing one name would leave the old text readable under the other.
TEST(Savetext, OverwritesAHardLinkedFileForEveryName)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    const QString other = folder.filePath("other.txt");
    writeBytes(path, "a rather long old content");
    ASSERT_EQ(::link(name(path), name(other)), 0);

    EXPECT_EQ(failureOfSave(path, "short"), 0);

    EXPECT_EQ(readBytes(other), "short");
    EXPECT_EQ(entriesOf(folder.path()), (QStringList{"other.txt", "text.txt"}));
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

// A write cut short, by a new file or in place, leaves the old content and no stray file.
TEST(Savetext, AWriteCutShortLeavesTheFileAsItWas)
{
    const auto limitFileSize = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(100);
    };
    for (const bool hardLinked : {false, true}) {
        QTemporaryDir folder;
        const QString path = folder.filePath("text.txt");
        writeBytes(path, "the original content\r\n");
        if (hardLinked) {
            ASSERT_EQ(::link(name(path), name(folder.filePath("other.txt"))), 0);
        }
        const QStringList before = entriesOf(folder.path());

        EXPECT_EQ(failureOfSaveInChild(path, QByteArray(64 * 1024, 'n'), limitFileSize),
                  static_cast<int>(cindral::FailureNumber::DiskFull))
            << (hardLinked ? "in place" : "new file");

        EXPECT_EQ(readBytes(path), "the original content\r\n");
        EXPECT_EQ(entriesOf(folder.path()), before);
    }
}

} // namespace
