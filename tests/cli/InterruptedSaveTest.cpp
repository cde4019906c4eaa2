// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"
#include "support/ScratchFiles.h"

#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <unistd.h>

namespace {

const QByteArray plain = QByteArray("Hi\r\n").repeated(2 << 20);
const QByteArray image = '\xA9' + QByteArray("\xB0\xD1ur").repeated(2 << 20) + "99";
const QByteArray underZzzzz = '\xA9' + QByteArray("\xC7\xE8\x8C\x89").repeated(2 << 20) + "122";

// A file with a second name is overwritten in place. Killed once the record and the first of its
// eight pieces have been written over it, its next run of any command finishes the save before
// anything else, as it does the decryption's. A file that another file has meanwhile replaced is
// not touched: the new text is kept, and told of once. Until then the recovery copy holds the
// new text, and no more: a rekey's copy holds none of the plain text.
TEST(InterruptedSave, AKilledOverwriteIsFinishedByTheNextRun)
{
    // killed command, file before, its password lines, next command, its exit status, file
    // after, next run's first line
    const std::tuple<QByteArray, QByteArray, QByteArray, QByteArray, int, QByteArray, std::string>
        rows[] = {
            {"encrypt", plain, "abcde\n", "decrypt", 0, plain, ": finished an interrupted save"},
            {"decrypt", image, "abcde\n", "decrypt", 1, plain, ": finished an interrupted save"},
            {"rekey", underZzzzz, "zzzzz\nabcde\n", "decrypt", 0, plain,
             ": finished an interrupted save"},
            {"encrypt", plain, "abcde\n", "decrypt", 1, "someone else's",
             ": an interrupted save could not be finished: the file is now another file; the new "
             "text is kept in "},
        };
    for (const auto& [killed, before, passwords, next, status, after, told] : rows) {
        const QByteArray newText = killed == "decrypt" ? plain : image;
        const QTemporaryDir folder;
        const QByteArray top = QFile::encodeName(folder.path());
        const QByteArrayList state{"XDG_STATE_HOME=" + top + "/state"};
        writeBytes(top + "/notes.txt", before);
        ASSERT_EQ(::link(top + "/notes.txt", top + "/other.txt"), 0);
        CliProcess traced(folder.path(), {"--password-stdin", killed, "notes.txt"},
                          {.environment = state, .trace = CliProcess::Trace::Yes});
        const CliRun killedRun = traced.finishTraced(passwords, 3);
        ASSERT_EQ(killedRun.status, 128 + SIGKILL) << killedRun.err;
        const QByteArray interrupted = readBytes(top + "/notes.txt");
        EXPECT_TRUE(interrupted != before && interrupted != newText);
        const QStringList copies = entriesOf(folder.filePath("state/cindral/recovery"));
        ASSERT_EQ(copies.size(), 1);
        const QByteArray copy = readBytes(top + "/state/cindral/recovery/" + copies[0].toUtf8());
        EXPECT_TRUE(copy.startsWith(newText));
        EXPECT_EQ(copy.contains(plain.left(64)), killed == "decrypt");
        if (after == "someone else's") {
            writeBytes(top + "/new.txt", after);
            ASSERT_EQ(::rename(top + "/new.txt", top + "/notes.txt"), 0);
        }

        const CliRun run = CliProcess(folder.path(), {"--password-stdin", next, "notes.txt"},
                                      {.environment = state})
                               .finish("abcde\n");
        EXPECT_EQ(run.status, status) << run.err;
        const std::string line = run.err.substr(0, run.err.find('\n'));
        const std::string expected = top.toStdString() + "/notes.txt" + told;
        EXPECT_EQ(line.substr(0, expected.size()), expected);
        EXPECT_EQ(readBytes(top + "/notes.txt"), after);
        const QStringList left = entriesOf(folder.filePath("state/cindral/recovery"));
        if (after != "someone else's") {
            EXPECT_EQ(left, QStringList());
            continue;
        }
        const QByteArray kept = QByteArray::fromStdString(line.substr(line.rfind(' ') + 1));
        EXPECT_EQ(kept, top + "/state/cindral/recovery/" + left.value(0).toLocal8Bit());
        EXPECT_EQ(readBytes(kept), image);
        const CliRun again = CliProcess(folder.path(), {"--password-stdin", next, "notes.txt"},
                                        {.environment = state})
                                 .finish("abcde\n");
        EXPECT_EQ(again.status, 1);
        EXPECT_EQ(again.err.find("interrupted"), std::string::npos) << again.err;
    }
}

} // namespace
