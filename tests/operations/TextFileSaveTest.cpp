#include "ScratchFiles.h"
#include "cipher/Failure.h"
#include "operations/TextFile.h"

#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using cindral::Failure;
using cindral::FailureNumber;

namespace {

constexpr uid_t nobody = 65534;

void save(const QString& path, std::initializer_list<QByteArrayView> pieces)
{
    cindral::savetext(path, std::span<const QByteArrayView>(pieces.begin(), pieces.size()));
}

int failureOfSave(const QString& path, QByteArrayView content)
{
    try {
        save(path, {content});
    } catch (const Failure& failure) {
        return static_cast<int>(failure.number());
    }
    return 0;
}

struct stat statOf(const QString& path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        throw std::runtime_error("cannot stat " + path.toStdString());
    return info;
}

void changeMode(const QString& path, mode_t mode)
{
    if (::chmod(QFile::encodeName(path).constData(), mode) != 0)
        throw std::runtime_error("cannot chmod " + path.toStdString());
}

void hardLink(const QString& existing, const QString& added)
{
    if (::link(QFile::encodeName(existing).constData(), QFile::encodeName(added).constData()) != 0)
        throw std::runtime_error("cannot link " + added.toStdString());
}

// Saves in a child process prepared by `prepare`; the child's exit status is the failure
// number it ended with, 0 for none.
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

void limitFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ::_exit(100);
}

void becomeNobody()
{
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0))
        ::_exit(101);
}

TEST(Savetext, PutsANewFileInPlaceKeepingTheMode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    for (const mode_t mode : {0600, 0640, 0604, 0664, 02640}) {
        SCOPED_TRACE(mode);
        writeBytes(path, "the old content");
        changeMode(path, mode);
        const ino_t oldInode = statOf(path).st_ino;

        save(path, {"new", "", " text"});

        EXPECT_EQ(readBytes(path), "new text");
        EXPECT_EQ(statOf(path).st_mode & 07777, mode);
        EXPECT_NE(statOf(path).st_ino, oldInode);
        EXPECT_EQ(entriesOf(folder.path()), QStringList{"text.txt"});
    }
    save(path, {});
    EXPECT_EQ(readBytes(path), "");
}

TEST(Savetext, KeepsOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another owner";
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    writeBytes(path, "old");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 1234, 5678), 0);
    changeMode(path, 0640);

    save(path, {"new"});

    const struct stat info = statOf(path);
    EXPECT_EQ(readBytes(path), "new");
    EXPECT_EQ(info.st_uid, 1234u);
    EXPECT_EQ(info.st_gid, 5678u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(Savetext, ReplacesTheFileALinkNamesAndKeepsTheLink)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("real"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("links"));
    const QString target = folder.filePath("real/target.txt");
    const QString link = folder.filePath("links/link.txt");
    writeBytes(target, "old");
    ASSERT_EQ(::symlink("../real/target.txt", QFile::encodeName(link).constData()), 0);

    save(link, {"new"});

    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(QFile::symLinkTarget(link), target);
    EXPECT_EQ(entriesOf(folder.filePath("real")), QStringList{"target.txt"});
    EXPECT_EQ(entriesOf(folder.filePath("links")), QStringList{"link.txt"});
}

// Replacing one name would leave the old text readable under the other.
TEST(Savetext, OverwritesAHardLinkedFileInPlace)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    const QString other = folder.filePath("other.txt");
    writeBytes(path, "a rather long old content");
    hardLink(path, other);
    const ino_t inode = statOf(path).st_ino;

    for (const QByteArray& content : {QByteArray("short"), QByteArray(10000, 'x')}) {
        save(path, {content});
        EXPECT_EQ(readBytes(other), content);
        EXPECT_EQ(statOf(path).st_ino, inode);
    }
    EXPECT_EQ(entriesOf(folder.path()), (QStringList{"other.txt", "text.txt"}));
}

TEST(Savetext, OverwritesInPlaceWhenTheFolderRefusesNewFiles)
{
    QTemporaryDir folder;
    const QString locked = folder.filePath("locked");
    const QString path = locked + "/text.txt";
    ASSERT_TRUE(QDir(folder.path()).mkpath("locked"));
    writeBytes(path, "old content");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), nobody, nobody), 0);
    }
    changeMode(folder.path(), 0755);
    changeMode(locked, 0555);
    const ino_t inode = statOf(path).st_ino;

    EXPECT_EQ(failureOfSaveInChild(path, "new", becomeNobody), 0);

    changeMode(locked, 0755);
    EXPECT_EQ(readBytes(path), "new");
    EXPECT_EQ(statOf(path).st_ino, inode);
    EXPECT_EQ(entriesOf(locked), QStringList{"text.txt"});
}

// The owner's write bit decides, also for root, who could write anyway.
TEST(Savetext, FailsWith75AndChangesNothing)
{
    QTemporaryDir folder;
    const QString readOnly = folder.filePath("read-only.txt");
    writeBytes(readOnly, "kept");
    changeMode(readOnly, 0444);
    const QStringList before = entriesOf(folder.path());

    for (const QString& path :
         {readOnly, folder.path(), folder.filePath("missing/text.txt"), QString()}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(failureOfSave(path, "new"), static_cast<int>(FailureNumber::FileError));
        EXPECT_EQ(entriesOf(folder.path()), before);
    }
    EXPECT_EQ(readBytes(readOnly), "kept");
    EXPECT_EQ(statOf(readOnly).st_mode & 07777, 0444u);
}

// A folder open to everyone would let a new file take the place of one the user may not write.
TEST(Savetext, LeavesAFileTheUserMayNotWrite)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a file of another owner";
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    writeBytes(path, "root's");
    changeMode(path, 0644);
    changeMode(folder.path(), 0777);

    EXPECT_EQ(failureOfSaveInChild(path, "nobody's", becomeNobody),
              static_cast<int>(FailureNumber::FileError));

    EXPECT_EQ(readBytes(path), "root's");
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"text.txt"});
}

TEST(Savetext, CreatesAMissingFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("new.txt");

    save(path, {"one", "two"});

    EXPECT_EQ(readBytes(path), "onetwo");
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"new.txt"});
}

// A write cut short, by a new file or in place, leaves the old content and no stray file.
TEST(Savetext, AWriteCutShortLeavesTheFileAsItWas)
{
    const QByteArray original = "the original content\r\n";
    const QByteArray tooLarge(64 * 1024, 'n');
    for (const bool hardLinked : {false, true}) {
        SCOPED_TRACE(hardLinked ? "in place" : "new file");
        QTemporaryDir folder;
        const QString path = folder.filePath("text.txt");
        writeBytes(path, original);
        if (hardLinked)
            hardLink(path, folder.filePath("other.txt"));
        const QStringList before = entriesOf(folder.path());

        EXPECT_EQ(failureOfSaveInChild(path, tooLarge, limitFileSize),
                  static_cast<int>(FailureNumber::DiskFull));

        EXPECT_EQ(readBytes(path), original);
        EXPECT_EQ(entriesOf(folder.path()), before);
    }
}

} // namespace
