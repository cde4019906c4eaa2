// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/Savetext.h"

#include "support/FailureOf.h"
#include "support/ScratchFiles.h"
#include "support/Users.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/acl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>

namespace {

constexpr qsizetype savedPiece = 4096;
constexpr int diskFull = numbered(cindral::FailureNumber::DiskFull);

// Saves `content` as a producer does, a piece at a time; the failure number, 0 for none. With
// `failingPieces`, the producer fails with 5 (a character it cannot encrypt) after that many.
int failureOfSave(const QByteArray& path, QByteArrayView content, qsizetype failingPieces = -1)
{
    return failureOf([&] {
        cindral::savetext(cindral::OpenedFile(path), [&](cindral::TextSink& sink) {
            for (qsizetype at = 0; at < content.size(); at += savedPiece) {
                if (at / savedPiece == failingPieces)
                    throw cindral::Failure(cindral::FailureNumber::IllegalCharacter);
                sink.write(content.sliced(at, std::min(savedPiece, content.size() - at)));
            }
        });
    });
}

QByteArray name(const QString& path)
{
    return QFile::encodeName(path);
}

enum class Place
{
    NewFile,          // replaced by a new file
    HardLinked,       // written in place, the new text made first beside it
    ClosedFolder,     // in place: its owner may not create files beside it
    UntakenAttribute, // in place: its owner may not give a new file its security attribute
};

// Saves in a child process, under a file-size limit, as the file's owner where that is not the
// test's user; the failure number.
int failureOfSaveIn(Place place, const QByteArray& path, QByteArrayView content,
                    rlim_t fileSizeLimit, qsizetype failingPieces = -1)
{
    const auto save = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {fileSizeLimit, fileSizeLimit};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? failureOfSave(path, content, failingPieces)
                                                      : 100;
    };
    const bool owned = place == Place::NewFile || place == Place::HardLinked;
    return asUser(owned ? ::geteuid() : otherUser(), save);
}

// Every extended attribute of a file with its value, ACLs included.
QStringList attributesOf(const QByteArray& path)
{
    QByteArray names(4096, Qt::Uninitialized);
    names.resize(::listxattr(path, names.data(), names.size()));
    QStringList attributes;
    for (const QByteArray& name : names.split('\0')) {
        QByteArray value(4096, Qt::Uninitialized);
        value.resize(::getxattr(path, name, value.data(), value.size()));
        if (!name.isEmpty())
            attributes << QString::fromLatin1(name + '=' + value.toHex());
    }
    attributes.sort();
    return attributes;
}

// This access ACL lets the user 4321 write where the file's group may only read; a new file
// without it would turn the ACL's mask into the group's write permission.
int setAccessAcl(const QByteArray& path)
{
    const acl_t acl = ::acl_from_text("u::rw-,u:4321:rw-,g::r--,m::rw-,o::---");
    const int set = acl ? ::acl_set_file(path, ACL_TYPE_ACCESS, acl) : -1;
    ::acl_free(acl);
    return set;
}

// Sets the file up for its place, with an identity a new file must take over; 0 when done.
int placeFile(Place place, const QByteArray& path, const QByteArray& folder)
{
    const int identity = ::chmod(path, 02640) | setAccessAcl(path) |
                         ::setxattr(path, "user.note", "x", 1, 0) |
                         ::symlink("text.txt", folder + "/link.txt");
    switch (place) {
    case Place::NewFile:
        return identity | (::geteuid() == 0 ? ::chown(path, 1234, 5678) : 0);
    case Place::HardLinked:
        return identity | ::link(path, folder + "/other.txt");
    case Place::ClosedFolder:
        return identity | ::chown(path, otherUser(), otherUser()) | ::chmod(folder, 0755);
    case Place::UntakenAttribute:
        return identity | ::chown(path, otherUser(), otherUser()) |
               ::chown(folder, otherUser(), otherUser()) |
               ::setxattr(path, "security.note", "x", 1, 0);
    }
    return -1;
}

// Saved through a link, a write cut short or a producer that fails part-way, by a new file or in
// place, leaves the old content and no stray file. A whole write, longer or shorter, replaces the
// file keeping its mode, owner, group and attributes, ACL included, or where a new file could not
// take its place writes it in place: so it reaches every name of a hard-linked file (replacing one
// name would leave the old text readable under the other) and keeps an attribute only root may set.
class SavetextIn : public testing::TestWithParam<Place>
{
};

TEST_P(SavetextIn, AFailurePartWayChangesNothingAndAWholeWriteReachesEveryName)
{
    const Place place = GetParam();
    if (place != Place::NewFile && place != Place::HardLinked && ::geteuid() != 0)
        GTEST_SKIP() << "only root can save as another user";
    const QByteArray original = "the original content\r\n";
    const QByteArray longer(16 * savedPiece, 'n');
    constexpr int illegal = numbered(cindral::FailureNumber::IllegalCharacter);
    QTemporaryDir folder;
    const QByteArray path = name(folder.filePath("text.txt"));
    const QByteArray link = name(folder.filePath("link.txt"));
    writeBytes(path, original);
    ASSERT_EQ(placeFile(place, path, name(folder.path())), 0);
    const QStringList before = entriesOf(folder.path());
    const QStringList attributes = attributesOf(path);
    struct stat old = {};
    ASSERT_EQ(::stat(path, &old), 0);
    // The recovery folder of whoever saves, which a save in place leaves empty.
    const QTemporaryDir state;
    ASSERT_EQ(::chown(name(state.path()), old.st_uid, old.st_gid) |
                  ::setenv("XDG_STATE_HOME", name(state.path()), 1),
              0);

    EXPECT_EQ(failureOfSaveIn(place, link, longer, longer.size() / 4 * 3), diskFull);
    EXPECT_EQ(failureOfSaveIn(place, link, longer, RLIM_INFINITY, 3), illegal);
    EXPECT_EQ(readBytes(path), original);
    EXPECT_EQ(entriesOf(folder.path()), before);

    EXPECT_EQ(failureOfSaveIn(place, link, longer, RLIM_INFINITY), 0);
    EXPECT_EQ(readBytes(folder.filePath(place == Place::HardLinked ? "other.txt" : "text.txt")),
              longer);
    struct stat saved = {};
    ASSERT_EQ(::stat(path, &saved), 0);
    EXPECT_EQ(saved.st_ino == old.st_ino, place != Place::NewFile) << "written in place";
    EXPECT_EQ(std::tuple(saved.st_mode, saved.st_uid, saved.st_gid),
              std::tuple(old.st_mode, old.st_uid, old.st_gid));
    EXPECT_EQ(attributesOf(path), attributes);
    EXPECT_EQ(QFile::symLinkTarget(link), QFile::decodeName(path));
    EXPECT_EQ(entriesOf(folder.path()), before);
    EXPECT_EQ(failureOfSaveIn(place, link, original, RLIM_INFINITY), 0);
    EXPECT_EQ(readBytes(path), original) << "a shorter text leaves no tail";
    EXPECT_EQ(entriesOf(state.filePath("cindral/recovery")), QStringList());
}

std::string placeName(const testing::TestParamInfo<Place>& place)
{
    const char* const names[] = {"NewFile", "HardLinked", "ClosedFolder", "UntakenAttribute"};
    return names[static_cast<int>(place.param)];
}

INSTANTIATE_TEST_SUITE_P(Places, SavetextIn,
                         testing::Values(Place::NewFile, Place::HardLinked, Place::ClosedFolder,
                                         Place::UntakenAttribute),
                         placeName);

// On a file system of 64 pages with 24 in use, a new file of 50 pages runs out of space while it
// is written; a hard-linked file to be overwritten in place, with its recovery folder on the same
// file system, cannot have a copy of 44 pages made, and with 36 pages gets its copy but not the
// space to grow into: it stays as it was, and so does the empty recovery folder.
TEST(Savetext, AFullDiskChangesNothing)
{
    QTemporaryDir folder;
    const QByteArray path = name(folder.filePath("text.txt"));
    if (::geteuid() != 0 || ::mount("cindral", name(folder.path()), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "only root mounts a small file system";
    const auto unmount = qScopeGuard([&] { ::umount(name(folder.path())); });
    const QByteArray original(24 * 4096, 'o');
    writeBytes(path, original);
    EXPECT_EQ(failureOfSave(path, QByteArray(50 * 4096, 'n')), diskFull);
    ASSERT_EQ(::link(path, name(folder.filePath("other.txt"))) |
                  ::setenv("XDG_STATE_HOME", name(folder.filePath("state")), 1),
              0);
    EXPECT_EQ(failureOfSave(path, QByteArray(44 * 4096, 'n')), diskFull);
    EXPECT_EQ(failureOfSave(path, QByteArray(36 * 4096, 'n')), diskFull);
    EXPECT_EQ(readBytes(path), original);
    EXPECT_EQ(entriesOf(folder.path()), (QStringList{"other.txt", "state", "text.txt"}));
    EXPECT_EQ(entriesOf(folder.filePath("state/cindral/recovery")), QStringList());
}

// Where the file system can neither exchange two names nor make unnamed files (bindfs, over FUSE),
// the old file is moved aside, checked there and only then replaced: a failure part-way leaves it
// as it was, a whole write replaces it, and no hidden name is left either way.
TEST(Savetext, WithoutExchangeTheOldFileIsMovedAsideFirst)
{
    const QTemporaryDir real;
    const QTemporaryDir mounted;
    const QByteArray bindfs = "bindfs " + name(real.path()) + ' ' + name(mounted.path());
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root mounts bindfs";
    if (std::system(bindfs.constData()) != 0)
        GTEST_SKIP() << "bindfs cannot mount here: not installed, or no FUSE (/dev/fuse)";
    const auto unmount = qScopeGuard([&] { ::umount(name(mounted.path())); });
    const QByteArray path = name(mounted.filePath("text.txt"));
    writeBytes(path, "old");
    EXPECT_EQ(failureOfSave(path, QByteArray(3 * savedPiece, 'n'), 2),
              numbered(cindral::FailureNumber::IllegalCharacter));
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(failureOfSave(path, "new"), 0);
    EXPECT_EQ(readBytes(path), "new");
    EXPECT_EQ(entriesOf(real.path()), QStringList("text.txt"));
}

} // namespace
