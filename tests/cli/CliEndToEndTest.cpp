// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"
#include "PseudoTerminal.h"
#include "support/ExampleTexts.h"
#include "support/ScratchFiles.h"
#include "support/Users.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace {

using namespace example;

const QByteArray typed = password + '\n'; // the line --password-stdin reads
const std::string programError = "Program Error: An internal error has occured in the program";
const std::string encrypted = ": Encrypted: The selected File has been Encrypted and Saved\n";
const std::string missing = "File Error: The file does not exist";
const std::string alreadyEncrypted =
    "Encryption Error: File is Already Encrypted, you cannot Encrypt again!";

class CliEndToEnd : public testing::Test
{
protected:
    CliRun runCli(const QByteArrayList& arguments, const QByteArray& input = typed)
    {
        return CliProcess(m_folder.path(), arguments).finish(input);
    }
    // As bytes: the names of some tests are not UTF-8.
    QByteArray path(const QByteArray& name) const { return m_top + '/' + name; }

    QTemporaryDir m_folder;
    const QByteArray m_top = QFile::encodeName(m_folder.path());
};

// Typed on the terminal, a password to encrypt with is asked for twice, as a typing mistake would
// lock the file under a password nobody knows; one to decrypt with, once.
TEST_F(CliEndToEnd, EncryptingAsksTwiceForATypedPassword)
{
    writeBytes(path("a.txt"), plain);
    const PseudoTerminal pty;
    if (!pty.unavailable().empty())
        GTEST_SKIP() << pty.unavailable();
    const struct
    {
        QByteArray command;
        QByteArrayList typedLines;
        int status;
        QByteArray after;
    } rows[] = {
        {.command = "encrypt", .typedLines = {typed, "abcdf\n"}, .status = 1, .after = plain},
        {.command = "encrypt", .typedLines = {typed, typed}, .status = 0, .after = image},
        {.command = "decrypt", .typedLines = {typed}, .status = 0, .after = plain},
    };
    for (const auto& row : rows) {
        CliProcess process(m_folder.path(), {row.command, "a.txt"}, {.terminal = pty.name()});
        for (const QByteArray& line : row.typedLines)
            ASSERT_TRUE(pty.shownUntil("assword: ").endsWith("assword: ") && pty.type(line));
        const CliRun run = process.finish({});
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_EQ(readBytes(path("a.txt")), row.after) << row.command.constData();
    }
}

// A file's mode and modification time in nanoseconds, then its access time unless left out.
[[nodiscard]] QList<qint64> modeAndTimes(const QByteArray& path, bool withAccess = true)
{
    struct stat info = {};
    ::stat(path.constData(), &info);
    const auto ns = [](const timespec& time) { return time.tv_sec * 1'000'000'000 + time.tv_nsec; };
    const QList<qint64> found{info.st_mode, ns(info.st_mtim), ns(info.st_atim)};
    return withAccess ? found : found.first(2);
}

// Every command on several files in one call. A name is the bytes it was given, UTF-8 or not, and
// never a look-alike: the twin named by the UTF-8 of U+FFFD, which the Latin-1 name turns into
// when read as UTF-8, stays as it was. cat leaves a file's mode and times as they were.
TEST_F(CliEndToEnd, SeveralFilesMakeTheRoundTripInOneCall)
{
    const QByteArray latin1 = "caf\xE9.txt";
    const QByteArray twin = "caf\xEF\xBF\xBD.txt";
    writeBytes(path("a.txt"), plain);
    writeBytes(path(latin1), plain);
    writeBytes(path(twin), "the twin\r\n");
    writeBytes(path("-b.txt"), "two\r\nlines"); // a name that looks like an option follows "--"

    // "abcdé" in Windows-1252: fingerprint 627 / 5 = 125, and still shift 104
    const QByteArray accented = "abcd\xC3\xA9\n";
    CliRun run = runCli({"--password-stdin", "encrypt", "a.txt", latin1, "--", "-b.txt"}, accented);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "a.txt" + encrypted + "caf\xE9.txt" + encrypted + "-b.txt" + encrypted);
    EXPECT_EQ(readBytes(path("a.txt")), imageTimes(1, "125"));
    EXPECT_EQ(readBytes(path(latin1)), imageTimes(1, "125"));

    run = runCli({"status", latin1, twin, "--", "-b.txt"}, {});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "caf\xE9.txt: encrypted\ncaf\xEF\xBF\xBD.txt: not encrypted\n"
                       "-b.txt: encrypted\n");
    ASSERT_EQ(makeOld(path(latin1)), 0);
    const auto before = modeAndTimes(path(latin1));
    run = runCli({"cat", latin1, "--password-stdin", "--", "-b.txt"}, accented);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Hi\r\ntwo\r\nlines\r\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(modeAndTimes(path(latin1)), before);

    run = runCli({"--password-stdin", "rekey", "a.txt", latin1, "--", "-b.txt"},
                 accented + "zzzzz\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string changed = ": Password Changed: The selected File has been Encrypted under "
                                "the new Password and Saved\n";
    EXPECT_EQ(run.out, "a.txt" + changed + "caf\xE9.txt" + changed + "-b.txt" + changed);

    run = runCli({"decrypt", "a.txt", latin1, "--password-stdin", "--", "-b.txt"}, "zzzzz\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(path("a.txt")), plain);
    EXPECT_EQ(readBytes(path(latin1)), plain);
    EXPECT_EQ(readBytes(path("-b.txt")), "two\r\nlines\r\n");
    EXPECT_EQ(readBytes(path(twin)), "the twin\r\n");
}

// 0 for success, 1 for a refusal, 2 for a failure or a usage error: over several files the
// worst, and the files after one are still done. Refused files stay byte for byte as they were.
TEST_F(CliEndToEnd, ExitStatusIsTheWorstOfAllFiles)
{
    CliRun run;
    for (const QByteArray name : {"plain", "refused-then-done", "failed-then-done", "named-twice"})
        writeBytes(path(name), plain);
    writeBytes(path("image"), image);
    const struct
    {
        QByteArrayList arguments;
        QByteArray input = typed;
        int status;
    } rows[] = {
        {.arguments = {"encrypt", "plain"}, .status = 0},
        {.arguments = {"encrypt", "image", "refused-then-done"}, .status = 1},
        {.arguments = {"encrypt", "missing", "failed-then-done"}, .status = 2},
        {.arguments = {"encrypt", "named-twice", "named-twice"},
         .status = 1}, // the second after the first
        {.arguments = {"decrypt", "image"}, .input = "zzzzz\n", .status = 1},
        {.arguments = {"decrypt", "image", "missing"}, .input = "zzzzz\n", .status = 2},
        // omega: no Windows-1252 byte
        {.arguments = {"encrypt", "plain"}, .input = "abcd\xCE\xA9\n", .status = 1},
        {.arguments = {"scramble", "plain"}, .status = 2},
        {.arguments = {"encrypt"}, .status = 2},
        {.arguments = {"status"}, .status = 2},
        {.arguments = {"rekey", "image"}, .status = 1}, // no second line: no new password
        {.arguments = {"--verbose", "encrypt", "image"}, .status = 1}, // its lines: see below
    };
    for (const auto& row : rows) {
        run = runCli(QByteArrayList{"--password-stdin"} + row.arguments, row.input);
        EXPECT_EQ(run.status, row.status) << row.arguments.join(' ').toStdString() << "\n"
                                          << run.err;
    }
    for (const QByteArray name : {"refused-then-done", "failed-then-done", "named-twice", "image"})
        EXPECT_EQ(readBytes(path(name)), image) << name.toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "image: Getting Data from the File...\n"
                       "image: " +
                           alreadyEncrypted + "\n");
}

// Whatever path started it, the help names the tool as it is known; no Qt options.
TEST_F(CliEndToEnd, HelpNamesTheToolAndItsCommands)
{
    ASSERT_EQ(::symlink(CINDRAL_CLI_PATH, path("cdc")), 0);
    const CliRun run = CliProcess(m_folder.path(), {"--help"}, {.program = path("cdc")}).finish({});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "Usage: cindral-cli [OPTION]... COMMAND FILE...");
    for (const std::string command : {"encrypt", "decrypt", "cat", "status", "rekey"})
        EXPECT_NE(run.out.find("\n  " + command + " "), std::string::npos) << command;
    EXPECT_EQ(run.out.find("-all"), std::string::npos);
}

// A reader that has gone before cat writes ends the tool at once, as it ends cat(1): by SIGPIPE,
// with nothing said and the next file not begun.
TEST_F(CliEndToEnd, CatIntoAClosedPipeEndsQuietly)
{
    writeBytes(path("image"), image);
    CliProcess process(m_folder.path(), {"--password-stdin", "cat", "image", "missing"},
                       {.closedPipe = true});
    const CliRun run = process.finish(typed);
    EXPECT_EQ(run.status, 128 + SIGPIPE);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(readBytes(path("image")), image);
}

// One file a command refuses or fails on, and the line it says so with.
struct Ending
{
    QByteArray command;
    std::optional<QByteArray> content; // none: a folder
    QByteArray input;
    int exitCode;
    std::string line;
    mode_t mode = 0644;
    rlim_t fileSizeLimit = RLIM_INFINITY;
};

// Every refusal and failure says why in the line of the message box, a failure's with the reason
// the system gave; the exit status is 1 or 2; nothing goes to standard output, cat's text
// included; and the file stays as it was, its mode and modification time too, with no stray file
// beside it. Past the file-size limit a write fails like one on a full disk, never a death by
// SIGXFSZ. With a control character third in the password the shift can be below 14.
// rekey refuses and fails as Decrypt does up to the password check, and from there on as Encrypt:
// "\xA9\xAF\x13\x10" "77" decrypts to a text that begins with the marker.
TEST_F(CliEndToEnd, RefusalsAndFailuresSayWhyAndLeaveTheFile)
{
    CliRun run;
    const std::string denied = missing + " or access to the file is denied.";
    const std::string notAFile = missing + " (not a regular file)";
    const std::string tooLarge = programError + " (cannot write: File too large)";
    const std::string illegal = "Encryption Error: The file to be Encrypted has some illegal "
                                "Characters which you cannot Encrypt";
    const std::string belowTheShift = programError + " (a character of code 1 cannot be shifted "
                                                     "by 104)";
    const std::string wrongPassword = "Wrong Password,Access Denied: Wrong Password";
    const QByteArray rekeyed = "abcde\nzzzzz\n";
    const Ending rows[] = {
        {"decrypt", std::nullopt, typed, 2, notAFile, 0700},
        {"encrypt", plain, typed, 2, denied + " (read-only)", 0444},
        {"encrypt", plain.repeated(16 * 1024), typed, 2, tooLarge, 0644, 4096},
        {"decrypt", imageTimes(16 * 1024), typed, 2, tooLarge, 0644, 4096},
        {"encrypt", refusedUnderShift8, shift8Password + '\n', 2,
         illegal + " (a character of code 5 cannot be shifted by 8)"},
        {"cat", plain, typed, 1, "Encryption Error: File is Not Encrypted, you cannot Decrypt it!"},
        {"cat", image, "zzzzz\n", 1, wrongPassword, 0444},
        {"cat", image, "abcd\n", 1,
         "Password Error: The password should be of atleast 5 Characters/Numbers or Combination "
         "of them"},
        {"cat", "\xA9plain", typed, 2,
         programError + " (the file ends without a password trailer)"},
        {"cat", "\xA9\x01ur99", typed, 2, belowTheShift},
        {"status", std::nullopt, {}, 2, notAFile, 0700},
        {"rekey", image, "abcde\nzzzz\n", 1,
         "Password Error: The password should be of atleast 5  and maximum 9 Alphabets/Numbers or "
         "Combination of them"},
        {"rekey", image, "zzzzz\nabcde\n", 1, wrongPassword},
        {"rekey", "\xA9\x01ur99", rekeyed, 2, belowTheShift},
        {"rekey", "\xA9\xF8ur99", rekeyed, 2,
         illegal + " (a character of code 144 cannot be shifted by 127)"},
        {"rekey", QByteArray("\xA9\xAF\x13\x10") + "77", QByteArray("aa\x01") + "aa\nzzzzz\n", 1,
         alreadyEncrypted},
        {"rekey", image, rekeyed, 2, denied + " (read-only)", 0444},
    };
    for (const Ending& row : rows) {
        QTemporaryDir folder;
        const QByteArray file = QFile::encodeName(folder.filePath("file"));
        ASSERT_EQ(row.content ? (writeBytes(file, *row.content), ::chmod(file, row.mode))
                              : ::mkdir(file, row.mode),
                  0);
        // Not the access time, which encrypt and decrypt change as they read.
        ASSERT_EQ(makeOld(file), 0);
        const auto before = modeAndTimes(file, false);
        run = CliProcess(folder.path(), {"--password-stdin", row.command, "file"},
                         {.fileSizeLimit = row.fileSizeLimit})
                  .finish(row.input);
        EXPECT_EQ(run.status, row.exitCode) << row.line;
        EXPECT_EQ(run.err, "file: " + row.line + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(row.content ? readBytes(file) : QByteArray(), row.content.value_or(QByteArray()));
        EXPECT_EQ(modeAndTimes(file, false), before) << row.line;
        EXPECT_EQ(entriesOf(folder.path()), QStringList{"file"});
    }
    run = runCli({"--password-stdin", "encrypt", "missing"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "missing: " + denied + " (cannot open: No such file or directory)\n");
}

// rekey gives byte for byte what decrypt and then encrypt give, with the same exit status:
// for a body that holds a lone CR once decrypted (Encrypt reads it as a line end and adds an
// LF), an empty body, line ends in the trailer, a new trailer of another length, and a text of
// several pieces.
TEST_F(CliEndToEnd, RekeyIsDecryptThenEncrypt)
{
    const std::pair<QByteArray, QByteArray> rows[] = {
        {image, "zzzzz"},
        {"\xA9\xC9u\xCAur99", "zzzzz"}, // "a\rb\r\n"
        {imageTimes(0), "zzzzz"},
        {"\xA9\xB0\xD1ur9\r\n\r9", "\x05\x05\x14\x05\x05"}, // fingerprint 8, shift 25
        {imageTimes(300 * 1024), "\x05\x05\x14\x05\x05"},
    };
    for (const auto& [before, newPassword] : rows) {
        SCOPED_TRACE(before.left(16).toPercentEncoding().constData());
        writeBytes(path("rekeyed"), before);
        writeBytes(path("twice"), before);
        const CliRun run =
            runCli({"--password-stdin", "rekey", "rekeyed"}, typed + newPassword + '\n');
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(runCli({"--password-stdin", "decrypt", "twice"}).status, 0);
        EXPECT_EQ(runCli({"--password-stdin", "encrypt", "twice"}, newPassword + '\n').status, 0);
        EXPECT_EQ(readBytes(path("rekeyed")), readBytes(path("twice")));
    }
}

// With -r a folder stands for the regular files below it, in byte order of their paths (not
// the locale's: C.txt before a-x.txt before a/...). Links inside are skipped, to a file and to a
// folder alike, so b.txt is not encrypted through a/file-link nor deep.txt twice through
// a/folder-link. A folder that cannot be listed fails with the reason, and the other files go on;
// without -r a folder fails as any file that is no text file (see the failure table).
// It runs as the other user, as no folder keeps root out.
TEST_F(CliEndToEnd, RecursiveTakesTheRegularFilesBelowAFolder)
{
    int failed = ::chmod(m_top, 0755);
    for (const QByteArray entry : {"/", "/a/", "/a/m/", "/locked/", "/C.txt", "/a-x.txt", "/b.txt",
                                   "/a/z.txt", "/a/m/deep.txt", "/locked/hidden.txt"}) {
        const QByteArray name = m_top + "/tree" + entry;
        failed |= entry.endsWith('/') ? ::mkdir(name, 0755) : (writeBytes(name, plain), 0);
        failed |= ::chown(name, otherUser(), otherUser());
    }
    failed |= ::symlink("../b.txt", m_top + "/tree/a/file-link") |
              ::symlink("m", m_top + "/tree/a/folder-link") | ::chmod(m_top + "/tree/locked", 0);
    ASSERT_EQ(failed, 0);
    const struct
    {
        QByteArrayList arguments;
        int status;
        std::string out, err;
    } rows[] = {
        {.arguments = {"encrypt", "-r", "tree/a"},
         .status = 0,
         .out = "tree/a/m/deep.txt" + encrypted + "tree/a/z.txt" + encrypted,
         .err = ""},
        {.arguments = {"status", "--recursive", "tree", "tree/b.txt"},
         .status = 2,
         .out = "tree/C.txt: not encrypted\ntree/a-x.txt: not encrypted\n"
                "tree/a/m/deep.txt: encrypted\ntree/a/z.txt: encrypted\n"
                "tree/b.txt: not encrypted\ntree/b.txt: not encrypted\n",
         .err = "tree/locked: " + missing + " (cannot list: Permission denied)\n"},
    };
    for (const auto& row : rows) {
        const CliRun run =
            CliProcess(m_folder.path(), QByteArrayList{"--password-stdin"} + row.arguments,
                       {.environment = {"XDG_STATE_HOME=" + m_top + "/state"}, .user = otherUser()})
                .finish(typed);
        EXPECT_EQ(run.status, row.status) << row.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
    EXPECT_EQ(::chmod(m_top + "/tree/locked", 0700), 0);
}

} // namespace
