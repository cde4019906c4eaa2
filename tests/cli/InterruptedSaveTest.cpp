// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"
#include "support/ExampleTexts.h"
#include "support/ScratchFiles.h"
#include "support/Users.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using Stop = CliProcess::Stop;

constexpr uid_t sharer = 4321; // may write the file, but does not own it
// Has no home. It is no other test's user, so no other test's run of the tool, which looks into
// the user's /var/tmp folder at every start, can finish its save meanwhile.
constexpr uid_t homeless = 4322;

const QByteArray plain = example::plain.repeated(3 << 18);
const QByteArray image = example::imageTimes(3 << 18);
const QByteArray underZzzzz = example::imageUnderZzzzz(3 << 18);
const QByteArray torn = "<neither old nor new>";

[[nodiscard]] QByteArray fileOf(const QByteArray& top)
{
    return top + "/notes.txt";
}

int restoreFromBackup(const QByteArray& top)
{
    writeBytes(fileOf(top), plain);
    return 0;
}

int replaceByAnother(const QByteArray& top)
{
    writeBytes(top + "/new.txt", "someone else's");
    return ::rename(top + "/new.txt", fileOf(top));
}

// The path of the one recovery copy a killed save left.
[[nodiscard]] QByteArray copyOf(const QByteArray& top)
{
    const QStringList copies = QDir(QFile::decodeName(top + "/state/cindral/recovery"))
                                   .entryList({"*.save"}, QDir::Files | QDir::System);
    return top + "/state/cindral/recovery/" + QFile::encodeName(copies.value(0));
}

// A byte more between the new text and what follows it: the record no longer fits the copy.
int damageTheRecord(const QByteArray& top)
{
    writeBytes(copyOf(top), readBytes(copyOf(top)).insert(image.size(), 'x'));
    return 0;
}

int linkTheRecord(const QByteArray& top)
{
    const QByteArray copy = copyOf(top);
    return ::rename(copy, top + "/record") | ::symlink(top + "/record", copy);
}

int giveTheRecordAway(const QByteArray& top)
{
    return ::chown(copyOf(top), nobody, nobody);
}

// A second record of the same save, made earlier: its time is a few decades older.
int addAnEarlierRecord(const QByteArray& top)
{
    QByteArray copy = readBytes(copyOf(top));
    copy[copy.lastIndexOf("\nsaved ") + 7] = '0';
    writeBytes(top + "/state/cindral/recovery/0.save", copy);
    return 0;
}

int appendAfterTheEnd(const QByteArray& top)
{
    const int fd = ::open(fileOf(top), O_WRONLY | O_APPEND);
    return (::write(fd, "someone else's", 14) == 14 ? 0 : 1) | ::close(fd);
}

int openToOthers(const QByteArray& top)
{
    return ::chmod(top + "/state/cindral/recovery", 0777);
}

int writeAtTheStart(const QByteArray& top)
{
    const int fd = ::open(fileOf(top), O_WRONLY | O_NONBLOCK);
    return (::pwrite(fd, "someone else's", 14, 0) == 14 ? 0 : 1) | ::close(fd);
}

// Only what waits for the lease could open the file now.
int openMeanwhile(const QByteArray& top)
{
    const int fd = ::open(fileOf(top), O_RDONLY | O_NONBLOCK);
    return fd < 0 && errno == EWOULDBLOCK ? 0 : 1 + ::close(fd);
}

// A save of notes.txt stopped at a given moment, with what someone else does then (`meddle`) and
// before the next run of the tool (`after`). A file with a second name is overwritten in place,
// one with none replaced. Killed midway through overwriting the file, its next run of any
// command finishes the save before anything else, as it does a decryption's or a rekey's; but
// it writes only what shows its own interrupted overwrite. A file restored from a backup, written
// anew, replaced by another or open to others keeps what they made of it, and the new text is
// kept for the user and told of once, as is a record that cannot be read. Killed right before or
// after the exchange of names, nothing hidden is left beside the file. Others who had the file
// open before are a refusal; others who open it during an overwrite wait for its end, and where
// they need not wait (the tool may write the file but does not own it), what they wrote is found.
TEST(InterruptedSave, TheNextRunFinishesOnlyItsOwnOverwrite)
{
    struct Row
    {
        const char* situation;
        QByteArray command = "encrypt";
        nlink_t links = 2;
        Stop stop = {SYS_pwrite64, 2};
        int (*meddle)(const QByteArray& top) = nullptr;
        int (*after)(const QByteArray& top) = nullptr;
        int status = 128 + SIGKILL;
        std::string told{}; // by the stopped run or the next
        QByteArray file = image;
        QByteArrayList environment{};
        uid_t user = ::geteuid();
        uid_t owner = otherUser(); // of the file
        bool heldOpenByOthers = false;
        bool rootOnly = false;
    };
    const std::string kept = "; the new text is kept in ";
    const std::string finished = ": finished an interrupted save";
    // Killed midway through the overwrite, and then the `after` of someone else's.
    const auto killedThen = [](const char* situation, int (*after)(const QByteArray&),
                               const std::string& told, const QByteArray& file) {
        return Row{.situation = situation, .after = after, .told = told, .file = file};
    };
    // Resumed after the file's owner has written into it at `stop`: the tool only shares the file,
    // and gets no lease that would have made the owner wait.
    const auto meddledBySharer = [&](const char* situation, Stop stop,
                                     int (*meddle)(const QByteArray&), const QByteArray& file) {
        stop.then = Stop::Then::Resume;
        return Row{.situation = situation,
                   .stop = stop,
                   .meddle = meddle,
                   .status = 2,
                   .told = "(another program wrote to the file while it was overwritten" + kept,
                   .file = file,
                   .user = sharer};
    };
    const Row rows[] = {
        {.situation = "killed", .told = finished},
        {.situation = "killed decrypting", .command = "decrypt", .told = finished, .file = plain},
        {.situation = "killed rekeying", .command = "rekey", .told = finished},
        killedThen("restored", restoreFromBackup, ": the file holds its old text", plain),
        killedThen("written into after the interruption", writeAtTheStart,
                   ": the file was changed after the interruption" + kept, torn),
        killedThen("replaced", replaceByAnother, ": the file is now another file" + kept,
                   "someone else's"),
        killedThen("record damaged", damageTheRecord, ": its record cannot be read" + kept, torn),
        killedThen("its record a link", linkTheRecord, ": left alone: a link, not a record", torn),
        killedThen("recorded twice", addAnEarlierRecord,
                   ": a later save of the file came after it" + kept, image),
        killedThen("recovery folder open to others", openToOthers,
                   ": left alone: others may write into the folder", torn),
        {.situation = "its record another user's",
         .after = giveTheRecordAway,
         .told = ": left alone: not a file of the user's",
         .file = torn,
         .rootOnly = true},
        {.situation = "the disk fails during the overwrite",
         .stop = {SYS_pwrite64, 2, Stop::When::Exit, Stop::Then::FailWithEio},
         .status = 2,
         .told = finished},
        {.situation = "no home of its own",
         .told = finished,
         .environment = {"HOME=/nonexistent", "XDG_STATE_HOME="},
         .user = homeless,
         .owner = homeless},
        {.situation = "killed after the exchange",
         .links = 1,
         .stop = {SYS_renameat2, 1, Stop::When::Exit}},
        {.situation = "killed before the exchange",
         .links = 1,
         .stop = {SYS_renameat2, 1},
         .file = plain},
        {.situation = "written after the last check",
         .links = 1,
         .stop = {SYS_renameat2, 1, Stop::When::Entry, Stop::Then::Resume},
         .meddle = writeAtTheStart,
         .status = 2,
         .told = "(the file changed while being worked on)",
         .file = "someone else's" + plain.sliced(14)},
        {.situation = "opened during the overwrite",
         .stop = {SYS_pwrite64, 2, Stop::When::Entry, Stop::Then::Resume},
         .meddle = openMeanwhile,
         .status = 0},
        {.situation = "held open by another program",
         .stop = {},
         .status = 2,
         .told = "(the file is open in another program)",
         .file = plain,
         .heldOpenByOthers = true},
        meddledBySharer("appended to after the overwrite by its sharer",
                        {SYS_ftruncate, 1, Stop::When::Exit}, appendAfterTheEnd,
                        image + "someone else's"),
        meddledBySharer("written during the overwrite by its sharer", {SYS_pwrite64, 2},
                        writeAtTheStart, "someone else's" + image.sliced(14)),
    };
    int leftOut = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        if ((row.user != ::geteuid() || row.rootOnly) && ::geteuid() != 0) {
            ++leftOut;
            continue;
        }
        const QTemporaryDir folder;
        const QByteArray top = QFile::encodeName(folder.path());
        const QByteArray before = row.command == "encrypt"   ? plain
                                  : row.command == "decrypt" ? image
                                                             : underZzzzz;
        writeBytes(fileOf(top), before);
        ASSERT_EQ(::chmod(top, 0755) | ::mkdir(top + "/state", 0700) |
                      ::chown(top + "/state", row.user, row.user) |
                      ::chown(fileOf(top), row.owner, ::geteuid() == 0 ? sharer : ::getegid()) |
                      ::chmod(fileOf(top), 0664) |
                      (row.links == 2 ? ::link(fileOf(top), top + "/other.txt") : 0),
                  0);
        const QByteArray fallback = "/var/tmp/cindral-" + QByteArray::number(row.user);
        const bool fallbackThere = QFileInfo::exists(QFile::decodeName(fallback));
        const QByteArrayList environment =
            row.environment + QByteArrayList{"XDG_STATE_HOME=" + top + "/state"};
        Stop stop = row.stop;
        if (row.meddle)
            stop.meddle = [&] {
                EXPECT_EQ(asUser(otherUser(), [&] { return row.meddle(top); }), 0);
            };
        const int held = row.heldOpenByOthers ? ::open(fileOf(top), O_RDONLY) : -1;
        const CliRun stopped =
            CliProcess(folder.path(), {"--password-stdin", row.command, "notes.txt"},
                       {.environment = environment, .traced = true, .user = row.user})
                .finishTraced(row.command == "rekey" ? "zzzzz\nabcde\n" : "abcde\n", stop);
        ::close(held);
        EXPECT_EQ(stopped.status, row.status) << stopped.err;
        const QByteArray recovery = top + "/state/cindral/recovery";
        for (const QString& copy : entriesOf(QFile::decodeName(recovery)))
            EXPECT_EQ(readBytes(recovery + '/' + QFile::encodeName(copy)).contains(plain.left(64)),
                      row.command == "decrypt")
                << "a copy holds the plain text only of a decryption";
        ASSERT_EQ(row.after ? row.after(top) : 0, 0);
        const CliRun next = CliProcess(folder.path(), {"status", "notes.txt"},
                                       {.environment = environment, .user = row.user})
                                .finish("");
        const std::string told = stopped.err + next.err;
        EXPECT_NE(told.find(row.told), std::string::npos) << told;
        const QByteArray after = readBytes(fileOf(top));
        EXPECT_EQ(row.file == torn ? after != before && after != image : after == row.file, true);
        // No name the tool gives its temporary files is left beside the file.
        EXPECT_EQ(entriesOf(folder.path()).filter(".cindral-"), QStringList());
        std::smatch keptIn;
        if (std::regex_search(told, keptIn, std::regex(kept + "([^)\n]*)"))) {
            EXPECT_TRUE(readBytes(QByteArray::fromStdString(keptIn[1])).startsWith(image));
        }
        const CliRun again = CliProcess(folder.path(), {"status", "notes.txt"},
                                        {.environment = environment, .user = row.user})
                                 .finish("");
        EXPECT_EQ(again.err.find("interrupted"), std::string::npos) << "told once: " << again.err;
        if (!fallbackThere)
            (void)::rmdir(fallback);
    }
    if (leftOut > 0)
        GTEST_SKIP() << leftOut
                     << " situations need root, to save as another user or give a file away";
}

// A run over many files saves them side by side. Killed as it writes its first, its 120th and
// its 280th line, wherever the other files are then, each file holds its old text or its new one,
// and every file a line said was done holds the new; the next run leaves no hidden name and no
// record behind. The file with a second name is overwritten in place, one already encrypted is
// refused alone, and the lines come in the order of the files. A record cut short as it was written
// over, or left empty, tells of nothing and goes without a word; the next run says no more than
// what it made of an overwrite in place that was killed midway.
TEST(InterruptedSave, ARunOverManyFilesLeavesEachOldOrNew)
{
    const QTemporaryDir folder;
    const QByteArray top = QFile::encodeName(folder.path());
    const QByteArray recovery = top + "/state/cindral/recovery";
    const QByteArrayList environment{"XDG_STATE_HOME=" + top + "/state"};
    const QByteArray small = example::plain.repeated(900);
    const QByteArray smallImage = example::imageTimes(900);
    const auto fileNumbered = [&](int number) {
        return top + "/tree/" + QByteArray::number(number / 100) + "/f" +
               QByteArray::number(number);
    };
    ASSERT_EQ(::mkdir(top + "/tree", 0700) | ::mkdir(top + "/tree/1", 0700) |
                  ::mkdir(top + "/tree/2", 0700) | ::mkdir(top + "/tree/3", 0700),
              0);
    for (const int killedAt : {0, 1, 120, 280}) {
        SCOPED_TRACE(killedAt);
        std::string lines;
        for (int number = 100; number < 400; ++number) {
            writeBytes(fileNumbered(number), number == 250 ? smallImage : small);
            if (number != 250)
                lines += fileNumbered(number).sliced(top.size() + 1).toStdString() +
                         ": Encrypted: The selected File has been Encrypted and Saved\n";
        }
        ASSERT_EQ(::link(fileNumbered(300), top + "/second-name"), 0);
        CliProcess run(folder.path(), {"--password-stdin", "encrypt", "-r", "tree"},
                       {.environment = environment, .traced = killedAt != 0});
        const CliRun stopped = killedAt == 0 ? run.finish("abcde\n")
                                             : run.finishTraced("abcde\n", {SYS_write, killedAt});
        EXPECT_EQ(lines.starts_with(stopped.out), true) << stopped.out;
        if (killedAt == 0) {
            EXPECT_EQ(stopped.status, 1);
            EXPECT_EQ(stopped.out, lines);
            EXPECT_NE(stopped.err.find("tree/2/f250: Encryption Error"), std::string::npos);
        }
        writeBytes(recovery + "/cut.names", "cindral names 1\ncheck 1\nfolder 2f");
        writeBytes(recovery + "/emptied.names", "");
        const CliRun next =
            CliProcess(folder.path(), {"status", "-r", "tree"}, {.environment = environment})
                .finish("");
        // Only the file with a second name may have been killed midway through its overwrite.
        EXPECT_TRUE(
            std::regex_match(next.err, std::regex("(.*/tree/3/f300: (finished an interrupted "
                                                  "save|an interrupted save is dropped.*)\n)?")))
            << next.err;
        for (int number = 100; number < 400; ++number) {
            const QByteArray name = fileNumbered(number);
            const QByteArray now = readBytes(name);
            const bool said = stopped.out.find(name.sliced(top.size() + 1).toStdString() + ":") !=
                              std::string::npos;
            EXPECT_TRUE(now == smallImage || (now == small && !said)) << name.toStdString();
            (void)::unlink(name);
        }
        EXPECT_EQ(::unlink(top + "/second-name"), 0);
        for (const QByteArray sub : {"/tree/1", "/tree/2", "/tree/3", "/state/cindral/recovery"})
            EXPECT_EQ(entriesOf(QFile::decodeName(top + sub)).join(' ').toStdString(), "")
                << sub.toStdString();
    }
}

} // namespace
