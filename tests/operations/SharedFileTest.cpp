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
#include <unistd.h>

using namespace cindral;

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
    failed |= makeOld(file);
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

// What the other user does (0 when done) to a file of so many names, and why the operations that
// write refuse, and why cat, which only reads, does (none: it succeeds).
struct Meddling
{
    int (*meddle)(const QByteArray& top);
    const char* refusal;
    const char* catRefusal = nullptr;
    nlink_t links = 1;
};

// An operation, the text it starts from and which of the refusals is its own.
struct Operation
{
    const char* name;
    QByteArray before;
    const char* Meddling::*refusal;
    std::function<Outcome(WindowServices&, OperationState&, qsizetype pieceSize)> run;
};

// Stopped once it has begun to write its new text, an operation finds that someone else has
// swapped the file or its folder for a link to the user's private file, saved a new version over
// it, written into it (as many bytes as before, so the size alone does not tell), or removed it.
// It refuses with the reason and leaves everything exactly as the other user left it: it never
// writes through the link, never puts its older text over another's, and creates nothing. cat,
// which only reads, has read the old file whole unless it was written into.
TEST(SharedFile, WhatOthersDoMeanwhileIsRefusedAndKept)
{
    const Meddling rows[] = {
        {.meddle = linkFolderAway, .refusal = replaced},
        {.meddle = linkFileAway, .refusal = replaced},
        {.meddle = saveAsAnEditorDoes, .refusal = replaced},
        {.meddle = rewriteInPlace, .refusal = changed, .catRefusal = changed},
        {.meddle = rewriteInPlace, .refusal = changed, .catRefusal = changed, .links = 2},
        {.meddle = remove, .refusal = replaced},
    };
    const QByteArray plain = example::plain.repeated(64);
    const QByteArray image = example::imageTimes(64);
    const FileDescriptor nowhere(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    const auto cat = [&](WindowServices& window, OperationState& state, qsizetype pieceSize) {
        return runCat(window, state, nowhere.get(), pieceSize);
    };
    const Operation operations[] = {
        {.name = "encrypt", .before = plain, .refusal = &Meddling::refusal, .run = runEncrypt},
        {.name = "decrypt", .before = image, .refusal = &Meddling::refusal, .run = runDecrypt},
        {.name = "cat", .before = image, .refusal = &Meddling::catRefusal, .run = cat},
    };
    for (const Meddling& row : rows) {
        for (const Operation& operation : operations) {
            SCOPED_TRACE(testing::Message()
                         << row.refusal << ", " << row.links << " links, " << operation.name);
            const QTemporaryDir folder;
            const QByteArray top = QFile::encodeName(folder.path());
            ASSERT_EQ(setUp(top, operation.before, row.links), 0);
            RecordingWindow window(folder.filePath("shared/att/notes.txt"), example::password);
            std::string leftByOthers;
            window.onPiece = [&] {
                EXPECT_EQ(asUser(otherUser(), [&] { return row.meddle(top); }), 0);
                leftByOthers = treeOf(folder.path());
            };
            OperationState state;
            const char* const expected = row.*operation.refusal;
            EXPECT_EQ(operation.run(window, state, 16),
                      expected ? Outcome::Failed : Outcome::Succeeded);
            EXPECT_EQ(window.reason.toStdString(), expected ? expected : "");
            EXPECT_EQ(treeOf(folder.path()), leftByOthers);
        }
    }
}

} // namespace
