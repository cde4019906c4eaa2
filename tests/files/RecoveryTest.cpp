// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/OpenedFile.h"
#include "files/OverwriteBlocks.h"
#include "files/RecoveryCopy.h"
#include "files/RecoveryFolder.h"
#include "files/RecoveryRecord.h"
#include "support/ScratchFiles.h"
#include "support/Users.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

using cindral::overwriteblocks::blockSize;
using cindral::overwriteblocks::Found;

// Bytes that differ from block to block and from text to text, so a block read from the wrong
// place never passes for the right one.
QByteArray textOf(qint64 length, int step)
{
    QByteArray text(length, Qt::Uninitialized);
    for (qint64 at = 0; at < length; ++at)
        text[at] = static_cast<char>(at / 97 * step + at);
    return text;
}

QByteArray with(QByteArray text, qint64 at, QByteArrayView bytes)
{
    return text.replace(at, bytes.size(), bytes.toByteArray());
}

// What the next run finds after a crash, block by block: each block holds the new text or the
// old, in any mixture the disk kept (a power cut keeps pages in any order), or zeros where the
// file grew and no text has reached yet; the file is as long as either text. Anything else is
// someone else's doing, down to one byte.
TEST(OverwriteBlocks, TellTheirOwnInterruptedOverwriteFromAnythingElse)
{
    const QByteArray old = textOf(3 * blockSize + 100, 7);
    const QByteArray longer = textOf(5 * blockSize + 7, 13);
    const QByteArray shorter = textOf(blockSize + 50, 13);
    const struct
    {
        const char* situation;
        QByteArray newText;
        QByteArray file;
        Found found;
    } rows[] = {
        {"untouched", longer, old, Found::NotBegun},
        {"whole", longer, longer, Found::Done},
        {"first block new", longer, with(old, 0, longer.first(blockSize)), Found::Interrupted},
        {"last old block new", longer, with(old, 3 * blockSize, longer.sliced(3 * blockSize, 100)),
         Found::Interrupted},
        {"grown, not yet written", longer, old + QByteArray(longer.size() - old.size(), 0),
         Found::Interrupted},
        {"grown, partly written", longer,
         with(old + QByteArray(longer.size() - old.size(), 0), 4 * blockSize,
              longer.sliced(4 * blockSize)),
         Found::Interrupted},
        {"shrinking, not yet cut", shorter, with(old, 0, shorter), Found::Interrupted},
        {"shrunk", shorter, shorter, Found::Done},
        {"an old block changed", longer, with(old, 2 * blockSize + 9, "x"), Found::Changed},
        {"a new block changed", longer, with(longer, blockSize, "x"), Found::Changed},
        {"zeros over the old text", longer, with(old, 0, QByteArray(10, 0)), Found::Changed},
        {"longer than either", longer, longer + 'x', Found::Changed},
        {"shrunk, a byte changed", shorter, with(shorter, 3, "x"), Found::Changed},
        {"grown, not by this save", longer, old + QByteArray(longer.size() - old.size(), 'x'),
         Found::Changed},
    };
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath("text.txt"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.situation);
        writeBytes(path, old);
        const cindral::OpenedFile file(path);
        cindral::RecoveryCopy copy;
        copy.sink().write(row.newText);
        copy.keepFor(file);
        writeBytes(path, row.file);
        const auto record = cindral::RecoveryRecord::readFrom(copy.fd());
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(cindral::overwriteblocks::judge(file.fd(), copy.fd(), *record), row.found);
    }
}

// A file opened through a link is in place only while the link, its folder and the folder's
// entry all still lead to it: a link turned to another file, or a file renamed in its folder with
// the link following it and another file under its old name, is not where it was.
TEST(OpenedFile, IsInPlaceWhileItsNameItsFolderAndItsEntryLeadToIt)
{
    const std::function<int(const QByteArray&)> meddling[] = {
        [](const QByteArray& top) {
            writeBytes(top + "/other.txt", "other");
            return ::unlink(top + "/link.txt") | ::symlink("other.txt", top + "/link.txt");
        },
        [](const QByteArray& top) {
            writeBytes(top + "/another.txt", "another");
            return ::rename(top + "/text.txt", top + "/moved.txt") | ::unlink(top + "/link.txt") |
                   ::symlink("moved.txt", top + "/link.txt") |
                   ::rename(top + "/another.txt", top + "/text.txt");
        },
    };
    for (const auto& meddle : meddling) {
        QTemporaryDir folder;
        const QByteArray top = QFile::encodeName(folder.path());
        writeBytes(top + "/text.txt", "text");
        ASSERT_EQ(::symlink("text.txt", top + "/link.txt"), 0);
        const cindral::OpenedFile file(top + "/link.txt");
        ASSERT_TRUE(file.isInPlace());
        ASSERT_EQ(meddle(top), 0);
        EXPECT_FALSE(file.isInPlace());
    }
}

// A state folder named by the environment that belongs to someone else counts for nothing, and
// nothing is made in it; nor is a recovery folder reached through a link used, or made.
TEST(RecoveryFolder, IsTheUsersOwnAlone)
{
    QTemporaryDir folder;
    const QByteArray top = QFile::encodeName(folder.path());
    const QByteArray fallback = "/var/tmp/cindral-" + QByteArray::number(::geteuid());
    const bool fallbackThere = ::access(fallback, F_OK) == 0;
    const QByteArray home = qgetenv("HOME");
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", home);
        qputenv("XDG_STATE_HOME", state);
        if (!fallbackThere)
            ::rmdir(fallback);
    });
    ASSERT_EQ(::mkdir(top + "/home", 0700) | ::mkdir(top + "/theirs", 0777) |
                  ::mkdir(top + "/elsewhere", 0700) | ::mkdir(top + "/home/.local", 0700) |
                  ::symlink("../../elsewhere", top + "/home/.local/state") |
                  ::setenv("HOME", top + "/home", 1),
              0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(top + "/theirs", nobody, nobody) |
                      ::setenv("XDG_STATE_HOME", top + "/theirs", 1),
                  0);
    } else {
        ASSERT_EQ(::unsetenv("XDG_STATE_HOME"), 0);
    }
    EXPECT_EQ(cindral::RecoveryFolder::forSaving().path(), fallback);
    EXPECT_EQ(entriesOf(folder.filePath("theirs")), QStringList());
    EXPECT_EQ(entriesOf(folder.filePath("elsewhere")), QStringList());
    if (::geteuid() != 0)
        GTEST_SKIP() << "the rest needs root: folders of someone else's in one's home and state";
    // As found at the start: a recovery folder that would pass, in someone else's home; one of
    // someone else's in a state folder of one's own.
    ASSERT_TRUE(QDir().mkpath(folder.filePath("theirs/.local/state/cindral/recovery")) &&
                QDir().mkpath(folder.filePath("own/cindral/recovery")));
    ASSERT_EQ(::chown(top + "/own/cindral/recovery", nobody, nobody) |
                  ::unsetenv("XDG_STATE_HOME") | ::setenv("HOME", top + "/theirs", 1),
              0);
    std::vector<cindral::InterruptedSave> refused;
    const auto found = [&](const char* recovery) {
        for (const cindral::RecoveryFolder& existing : cindral::RecoveryFolder::existing(refused))
            if (existing.path() == top + recovery)
                return true;
        return false;
    };
    EXPECT_FALSE(found("/theirs/.local/state/cindral/recovery"));
    EXPECT_TRUE(refused.empty()) << "someone else's home is not even looked at";
    ASSERT_EQ(::setenv("XDG_STATE_HOME", top + "/own", 1), 0);
    EXPECT_FALSE(found("/own/cindral/recovery"));
    ASSERT_FALSE(refused.empty());
    EXPECT_EQ(refused.back().subject, top + "/own/cindral/recovery");
    EXPECT_EQ(refused.back().reason, "the folder belongs to someone else");
}

} // namespace
