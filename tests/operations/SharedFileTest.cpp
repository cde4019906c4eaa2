// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingWindow.h"
#include "ScratchFiles.h"
#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/OperationState.h"
#include "support/AsUser.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using cindral::Outcome;

namespace {

const QByteArray password = "abcde"; // shift 104, fingerprint 99
const QByteArray plain = QByteArray("Hi\r\n").repeated(64);
const QByteArray image = '\xA9' + QByteArray("\xB0\xD1ur").repeated(64) + "99";
constexpr qsizetype pieceSize = 16;

const QString replaced = "the file or its folder was replaced while being worked on";
const QString changed = "the file changed while being worked on";
const QString inUse = "the file is in use by another Cindral";

enum class Party
{
    OtherUser,   // the folders' owner
    ThisProcess, // a second operation of the same program
};

enum class Links
{
    One,
    Two, // a hard link beside it: the file is overwritten in place
};

// Someone else acts once the operation has written the first piece of its new text.
class MeddledWindow : public RecordingWindow
{
public:
    std::function<void()> meddle;
    QString reason;

    void progress(qint64, qint64) override
    {
        if (meddle)
            std::exchange(meddle, {})();
    }
    void failureBox(const QString& prompt, const QString& title, cindral::MessageIcon icon,
                    const QString& why) override
    {
        reason = why;
        messageBox(prompt, title, icon);
    }
};

using Operation = Outcome (*)(cindral::WindowServices&, cindral::OperationState&, qsizetype);

// The user's file shared/att/notes.txt, whose folders belong to another party (nobody, when the
// test runs as root), beside private/notes.txt, a file of the user's own that no one else may
// reach.
struct Scene
{
    QTemporaryDir top;
    QByteArray at(const QByteArray& name) const
    {
        return QFile::encodeName(top.path()) + '/' + name;
    }
};

constexpr uid_t nobody = 65534;

[[nodiscard]] uid_t otherParty()
{
    return ::geteuid() == 0 ? nobody : ::geteuid();
}

[[nodiscard]] int setUp(const Scene& scene, const QByteArray& content, Links links)
{
    const uid_t other = otherParty();
    int failed = ::chmod(scene.top.path().toLocal8Bit(), 0755) |
                 ::mkdir(scene.at("private"), 0700) | ::mkdir(scene.at("shared"), 0755) |
                 ::mkdir(scene.at("shared/att"), 0755);
    writeBytes(scene.at("private/notes.txt"), "root's own");
    writeBytes(scene.at("shared/att/notes.txt"), content);
    // An old modification time, so that a rewrite shows even within the clock's resolution.
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    failed |= ::utimensat(AT_FDCWD, scene.at("shared/att/notes.txt"), old, 0);
    for (const char* name : {"shared", "shared/att", "shared/att/notes.txt"})
        failed |= ::chown(scene.at(name), other, other);
    if (links == Links::Two)
        failed |= ::link(scene.at("shared/att/notes.txt"), scene.at("shared/att/other.txt"));
    return failed;
}

// Every entry below the top folder, a link with its target, a file with its content, where
// "before" is the user's file as it was and "after" what the operation was to make of it.
[[nodiscard]] QStringList treeOf(const Scene& scene, const QByteArray& before,
                                 const QByteArray& after)
{
    QStringList tree;
    QDirIterator entries(scene.top.path(),
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        const QString name = QDir(scene.top.path()).relativeFilePath(path);
        const QFileInfo info = entries.fileInfo();
        if (info.isSymLink()) {
            char target[256] = {};
            (void)::readlink(path.toLocal8Bit(), target, sizeof target - 1);
            tree << name + " -> " + target;
        } else if (info.isFile()) {
            const QByteArray content = readBytes(path);
            tree << name + ": " +
                        (content == before  ? "before"
                         : content == after ? "after"
                                            : QString::fromLatin1(content.left(16)));
        } else {
            tree << name + "/";
        }
    }
    tree.sort();
    return tree;
}

// How an operation ended, why, and every file around it afterwards.
struct Result
{
    Outcome outcome;
    QString reason;
    QStringList tree;

    friend bool operator==(const Result&, const Result&) = default;
    friend void PrintTo(const Result& result, std::ostream* out)
    {
        *out << "outcome " << static_cast<int>(result.outcome) << " ("
             << result.reason.toStdString() << "):\n"
             << result.tree.join('\n').toStdString();
    }
};

struct Row
{
    const char* name;
    Operation operation;
    std::function<int(const Scene&)> meddle; // 0 when done
    Result expected;
    Party party = Party::OtherUser;
    Links links = Links::One;
};

int moveFolderAndLinkPrivate(const Scene& scene)
{
    return ::rename(scene.at("shared/att"), scene.at("shared/att-moved")) |
           ::symlink("../private", scene.at("shared/att"));
}

int moveFileAndLinkPrivate(const Scene& scene)
{
    return ::rename(scene.at("shared/att/notes.txt"), scene.at("shared/att/notes-moved.txt")) |
           ::symlink("../../private/notes.txt", scene.at("shared/att/notes.txt"));
}

int saveAsAnEditorDoes(const Scene& scene)
{
    writeBytes(scene.at("shared/att/.notes.txt.swp"), "editor's version");
    return ::rename(scene.at("shared/att/.notes.txt.swp"), scene.at("shared/att/notes.txt"));
}

// As many bytes as before: the size alone does not show it.
int rewriteInPlace(const Scene& scene)
{
    const int fd = ::open(scene.at("shared/att/notes.txt"), O_WRONLY);
    const QByteArray rewritten = QByteArray("Ho\r\n").repeated(64);
    const bool written = fd >= 0 && ::write(fd, rewritten, rewritten.size()) == rewritten.size();
    return (written ? 0 : 1) | ::close(fd);
}

int removeFile(const Scene& scene)
{
    return ::unlink(scene.at("shared/att/notes.txt"));
}

// Stopped once it has begun to write its new text, an operation finds that someone else has
// swapped the file or its folder for a link, moved it, saved a new version over it, written into
// it or removed it, or that another Cindral wants it too. It refuses with the reason and leaves
// everything as the others left it: it never redirects its write to the private file a link now
// leads to, never puts its older text over another's newer one, and creates nothing.
TEST(SharedFile, WhatOthersDoMeanwhileIsRefusedAndKept)
{
    const QStringList untouched{"private/", "private/notes.txt: root's own", "shared/",
                                "shared/att/"};
    const QStringList folderMoved =
        untouched.mid(0, 3) + QStringList{"shared/att -> ../private", "shared/att-moved/",
                                          "shared/att-moved/notes.txt: before"};
    const QStringList rewritten =
        untouched + QStringList{"shared/att/notes.txt: Ho\r\nHo\r\nHo\r\nHo\r\n"};
    Result second{};
    const auto runSecond = [&](const Scene& scene) {
        MeddledWindow window;
        window.password = "zzzzz";
        window.fileBox = scene.top.path();
        window.chosenFile = scene.at("shared/att/notes.txt");
        cindral::OperationState state;
        second = {cindral::runEncrypt(window, state, pieceSize), window.reason, {}};
        return 0;
    };
    const Row rows[] = {
        {"FolderLinkedAway",
         &cindral::runEncrypt,
         moveFolderAndLinkPrivate,
         {Outcome::Failed, replaced, folderMoved}},
        {"FolderLinkedAwayDecrypting",
         &cindral::runDecrypt,
         moveFolderAndLinkPrivate,
         {Outcome::Failed, replaced, folderMoved}},
        {"FileLinkedAway",
         &cindral::runEncrypt,
         moveFileAndLinkPrivate,
         {Outcome::Failed, replaced,
          untouched + QStringList{"shared/att/notes-moved.txt: before",
                                  "shared/att/notes.txt -> ../../private/notes.txt"}}},
        {"EditorSavedANewVersion",
         &cindral::runEncrypt,
         saveAsAnEditorDoes,
         {Outcome::Failed, replaced,
          untouched + QStringList{"shared/att/notes.txt: editor's version"}}},
        {"RewrittenInPlace",
         &cindral::runEncrypt,
         rewriteInPlace,
         {Outcome::Failed, changed, rewritten}},
        {"HardLinkedRewrittenInPlace",
         &cindral::runEncrypt,
         rewriteInPlace,
         {Outcome::Failed, changed,
          rewritten + QStringList{"shared/att/other.txt: Ho\r\nHo\r\nHo\r\nHo\r\n"}},
         Party::OtherUser,
         Links::Two},
        {"Removed", &cindral::runDecrypt, removeFile, {Outcome::Failed, replaced, untouched}},
        {"AnotherCindral",
         &cindral::runEncrypt,
         runSecond,
         {Outcome::Succeeded, {}, untouched + QStringList{"shared/att/notes.txt: after"}},
         Party::ThisProcess},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool decrypting = row.operation == &cindral::runDecrypt;
        const QByteArray before = decrypting ? image : plain;
        const Scene scene;
        ASSERT_EQ(setUp(scene, before, row.links), 0);
        MeddledWindow window;
        window.password = password;
        window.fileBox = scene.top.path();
        window.chosenFile = scene.at("shared/att/notes.txt");
        window.meddle = [&] {
            const auto meddle = [&] { return row.meddle(scene); };
            EXPECT_EQ(row.party == Party::ThisProcess ? meddle()
                                                      : asUser(otherParty(), otherParty(), meddle),
                      0);
        };
        cindral::OperationState state;
        const Outcome outcome = row.operation(window, state, pieceSize);
        EXPECT_EQ(
            (Result{outcome, window.reason, treeOf(scene, before, decrypting ? plain : image)}),
            row.expected);
    }
    EXPECT_EQ(second, (Result{Outcome::Failed, inUse, {}}));
}

} // namespace
