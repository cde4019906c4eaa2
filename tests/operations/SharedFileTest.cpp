// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingWindow.h"
#include "files/FileDescriptor.h"
#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/OperationState.h"
#include "support/ExampleTexts.h"
#include "support/ScratchFiles.h"
#include "support/Users.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

// The user's file shared/att/notes.txt, in folders of the other user's, beside
// private/notes.txt, a file of the user's own that the other user cannot reach.
[[nodiscard]] int setUp(const QByteArray& top, const QByteArray& content, nlink_t links)
{
    writeBytes(top + "/private.txt", "root's own");
    int failed = ::chmod(top, 0755) | ::mkdir(top + "/private", 0700) |
                 ::rename(top + "/private.txt", top + "/private/notes.txt") |
                 ::mkdir(top + "/shared", 0755) | ::mkdir(top + "/shared/att", 0755);
    const QByteArray file = top + "/shared/att/notes.txt";
    writeBytes(file, content);
    // An old modification time, so that a rewrite shows even within the clock's resolution.
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    failed |= ::utimensat(AT_FDCWD, file, old, 0);
    for (const QByteArray& name : {top + "/shared", top + "/shared/att", file})
        failed |= ::chown(name, otherUser(), otherUser());
    return failed | (links == 2 ? ::link(file, top + "/shared/att/other.txt") : 0);
}

// Every entry below `top` with what it holds, a link its target, a file its bytes.
[[nodiscard]] std::string treeOf(const QString& top)
{
    QStringList tree;
    QDirIterator entries(top, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        const QFileInfo info = entries.fileInfo();
        tree << path.mid(top.size()) + (info.isSymLink() ? " -> " + info.symLinkTarget()
                                        : info.isFile() ? ": " + readBytes(path).toPercentEncoding()
                                                        : "/");
    }
    tree.sort();
    return tree.join('\n').toStdString();
}

int linkFolderAway(const QByteArray& top)
{
    return ::rename(top + "/shared/att", top + "/shared/moved") |
           ::symlink("../private", top + "/shared/att");
}

int linkFileAway(const QByteArray& top)
{
    return ::rename(top + "/shared/att/notes.txt", top + "/shared/att/moved.txt") |
           ::symlink("../../private/notes.txt", top + "/shared/att/notes.txt");
}

int saveAsAnEditorDoes(const QByteArray& top)
{
    writeBytes(top + "/shared/att/.notes.swp", "editor's version");
    return ::rename(top + "/shared/att/.notes.swp", top + "/shared/att/notes.txt");
}

int rewriteInPlace(const QByteArray& top)
{
    const int fd = ::open(top + "/shared/att/notes.txt", O_WRONLY);
    return (::write(fd, "Ho", 2) == 2 ? 0 : 1) | ::close(fd);
}

int remove(const QByteArray& top)
{
    return ::unlink(top + "/shared/att/notes.txt");
}

const char* const replaced = "the file or its folder was replaced while being worked on";
const char* const changed = "the file changed while being worked on";

using Operation = std::function<cindral::Outcome(RecordingWindow&, cindral::OperationState&)>;

// Stopped once it has begun to write its new text, an operation finds that someone else has
// swapped the file or its folder for a link to the user's private file, saved a new version over
// it, written into it (as many bytes as before, so the size alone does not tell), or removed it.
// It refuses with the reason and leaves everything exactly as the other party left it: it never
// writes through the link, never puts its older text over another's, and creates nothing. cat,
// which only reads, has read the old file whole unless it was written into.
TEST(SharedFile, WhatOthersDoMeanwhileIsRefusedAndKept)
{
    // what the other party does (0 when done), why the operation refuses, the file's names, why
    // cat does (none: it succeeds)
    const std::tuple<int (*)(const QByteArray&), const char*, nlink_t, const char*> rows[] = {
        {linkFolderAway, replaced, 1, nullptr},     {linkFileAway, replaced, 1, nullptr},
        {saveAsAnEditorDoes, replaced, 1, nullptr}, {rewriteInPlace, changed, 1, changed},
        {rewriteInPlace, changed, 2, changed},      {remove, replaced, 1, nullptr},
    };
    const QByteArray plain = example::plain.repeated(64);
    const QByteArray image = example::imageTimes(64);
    const cindral::FileDescriptor nowhere(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    const std::tuple<const char*, Operation> operations[] = {
        {"encrypt",
         [](auto& window, auto& state) { return cindral::runEncrypt(window, state, 16); }},
        {"decrypt",
         [](auto& window, auto& state) { return cindral::runDecrypt(window, state, 16); }},
        {"cat", [&](auto& window,
                    auto& state) { return cindral::runCat(window, state, nowhere.get(), 16); }},
    };
    for (const auto& [meddle, reason, links, catReason] : rows) {
        for (const auto& [name, operation] : operations) {
            SCOPED_TRACE(testing::Message() << reason << ", " << links << " links, " << name);
            const bool cat = std::string(name) == "cat";
            const QTemporaryDir folder;
            const QByteArray top = QFile::encodeName(folder.path());
            ASSERT_EQ(setUp(top, std::string(name) == "encrypt" ? plain : image, links), 0);
            RecordingWindow window;
            window.password = example::password;
            window.fileBox = folder.path();
            window.chosenFile = top + "/shared/att/notes.txt";
            std::string leftByOthers;
            window.onPiece = [&] {
                EXPECT_EQ(asUser(otherUser(), [&] { return meddle(top); }), 0);
                leftByOthers = treeOf(folder.path());
            };
            cindral::OperationState state;
            const char* const expected = cat ? catReason : reason;
            EXPECT_EQ(operation(window, state),
                      expected ? cindral::Outcome::Failed : cindral::Outcome::Succeeded);
            EXPECT_EQ(window.reason.toStdString(), expected ? expected : "");
            EXPECT_EQ(treeOf(folder.path()), leftByOthers);
        }
    }
}

} // namespace
