// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"
#include "PseudoTerminal.h"
#include "support/ScratchFiles.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <tuple>

namespace {

const QByteArray password = "abcde\n"; // shift 104, fingerprint 99
const QByteArray plain = "Hi\r\n";
const QByteArray image = "\xA9\xB0\xD1ur99"; // "ur": CR LF shifted by 104
const std::string programError = "Program Error: An internal error has occured in the program";

class CliEndToEnd : public testing::Test
{
protected:
    int runCli(const QByteArrayList& arguments, const QByteArray& input = password,
               rlim_t fileSizeLimit = RLIM_INFINITY)
    {
        CliProcess process(m_folder.path(), arguments, fileSizeLimit);
        const int status = process.finish(input);
        m_out = process.out;
        m_err = process.err;
        return status;
    }
    // As bytes: the names of some tests are not UTF-8.
    QByteArray path(const QByteArray& name) const
    {
        return QFile::encodeName(m_folder.path()) + '/' + name;
    }

    QTemporaryDir m_folder;
    std::string m_out;
    std::string m_err;
};

// Typed on the terminal, a password to encrypt with is asked for twice, as a typing mistake would
// lock the file under a password nobody knows; one to decrypt with, once.
TEST_F(CliEndToEnd, EncryptingAsksTwiceForATypedPassword)
{
    writeBytes(path("a.txt"), plain);
    const PseudoTerminal pty;
    const std::tuple<QByteArray, QByteArrayList, int, QByteArray> rows[] = {
        {"encrypt", {"abcde\n", "abcdf\n"}, 1, plain},
        {"encrypt", {"abcde\n", "abcde\n"}, 0, image},
        {"decrypt", {"abcde\n"}, 0, plain},
    };
    for (const auto& [command, lines, exitCode, after] : rows) {
        CliProcess process(m_folder.path(), {command, "a.txt"}, RLIM_INFINITY, pty.name());
        for (const QByteArray& line : lines)
            ASSERT_TRUE(pty.shownUntil("assword: ").endsWith("assword: ") && pty.type(line));
        EXPECT_EQ(process.finish({}), exitCode) << process.err;
        EXPECT_EQ(readBytes(path("a.txt")), after) << command.constData();
    }
}

// A name is the bytes it was given, UTF-8 or not, and never a look-alike: the twin named by the
// UTF-8 of U+FFFD, which the Latin-1 name turns into when read as UTF-8, stays as it was.
TEST_F(CliEndToEnd, SeveralFilesMakeTheRoundTripInOneCall)
{
    const QByteArray latin1 = "caf\xE9.txt";
    const QByteArray twin = "caf\xEF\xBF\xBD.txt";
    writeBytes(path("a.txt"), plain);
    writeBytes(path(latin1), plain);
    writeBytes(path(twin), "the twin\r\n");
    writeBytes(path("-b.txt"), "two\r\nlines"); // a name that looks like an option follows "--"

    // "abcdé" in Windows-1252: 627 / 5 = 125, and still shift 104
    EXPECT_EQ(
        runCli({"--password-stdin", "encrypt", "a.txt", latin1, "--", "-b.txt"}, "abcd\xC3\xA9\n"),
        0)
        << m_err;
    EXPECT_EQ(m_out, "a.txt: Encrypted: The selected File has been Encrypted and Saved\n"
                     "caf\xE9.txt: Encrypted: The selected File has been Encrypted and Saved\n"
                     "-b.txt: Encrypted: The selected File has been Encrypted and Saved\n");
    EXPECT_EQ(readBytes(path("a.txt")), "\xA9\xB0\xD1ur125");
    EXPECT_EQ(readBytes(path(latin1)), "\xA9\xB0\xD1ur125");

    EXPECT_EQ(runCli({"decrypt", "a.txt", latin1, "--password-stdin", "--", "-b.txt"},
                     "abcd\xC3\xA9\r\n"),
              0)
        << m_err;
    EXPECT_EQ(readBytes(path("a.txt")), plain);
    EXPECT_EQ(readBytes(path(latin1)), plain);
    EXPECT_EQ(readBytes(path("-b.txt")), "two\r\nlines\r\n");
    EXPECT_EQ(readBytes(path(twin)), "the twin\r\n");
}

// 0 for success, 1 for a refusal, 2 for a failure or a usage error: over several files the
// worst, and the files after a refusal or failure are still done. Only successes go to standard
// output. Refused files, a wrong password
// included, stay byte for byte as they were.
TEST_F(CliEndToEnd, ExitStatusIsTheWorstOfAllFiles)
{
    for (const QByteArray name : {"plain", "refused-then-done", "failed-then-done"})
        writeBytes(path(name), plain);
    writeBytes(path("image"), image);
    const std::tuple<QByteArrayList, QByteArray, int> rows[] = {
        {{"encrypt", "plain"}, password, 0},
        {{"encrypt", "image", "refused-then-done"}, password, 1},
        {{"encrypt", "missing", "failed-then-done"}, password, 2},
        {{"decrypt", "image"}, "zzzzz\n", 1},
        {{"decrypt", "image", "missing"}, "zzzzz\n", 2},
        {{"encrypt", "plain"}, "abcd\xCE\xA9\n", 1}, // omega: no Windows-1252 byte
        {{"scramble", "plain"}, password, 2},
        {{"encrypt"}, password, 2},
        {{"--verbose", "encrypt", "image"}, password, 1}, // last: its lines are checked below
    };
    for (const auto& [arguments, input, exitCode] : rows)
        EXPECT_EQ(runCli(QByteArrayList{"--password-stdin"} + arguments, input), exitCode)
            << arguments.join(' ').toStdString() << "\n"
            << m_err;
    for (const QByteArray name : {"refused-then-done", "failed-then-done", "image"})
        EXPECT_EQ(readBytes(path(name)), image) << name.toStdString();
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(m_err,
              "image: Getting Data from the File...\n"
              "image: Encryption Error: File is Already Encrypted, you cannot Encrypt again!\n");
}

// The password travels on standard input only: while the tool waits for it, its command line
// as every user of the system sees it holds no trace of it.
TEST_F(CliEndToEnd, PasswordNeverInTheProcessArguments)
{
    writeBytes(path("a.txt"), plain);
    CliProcess process(m_folder.path(), {"--password-stdin", "encrypt", "a.txt"});
    const QByteArray arguments = readBytes(QStringLiteral("/proc/%1/cmdline").arg(process.pid()));
    const QByteArrayList words{CINDRAL_CLI_PATH, "--password-stdin", "encrypt", "a.txt"};
    EXPECT_EQ(arguments, words.join('\0') + '\0');

    EXPECT_EQ(process.finish(password), 0);
    EXPECT_EQ(readBytes(path("a.txt")), image);
}

// A failure's line ends with the reason the system gave, after the window's own words; the exit
// status is 2 and the file stays as it was with no stray file beside it. Past the file-size limit
// a write fails like one on a full disk, never a death by SIGXFSZ. With a control character third
// in the password the shift can be below 14 (here 8), and a text that would then encrypt to a CR,
// which decryption takes for a line end, is refused.
TEST_F(CliEndToEnd, FailuresSayWhyAndLeaveTheFile)
{
    const QByteArray large = plain.repeated(16 * 1024);
    const QByteArray largeImage = '\xA9' + QByteArray("\xB0\xD1ur").repeated(16 * 1024) + "99";
    const QByteArray bell = "bell\x07here\x05x";
    const std::string denied =
        "File Error: The file does not exist or access to the file is denied.";
    // command, file content (none for a folder), mode, password, file-size limit, reason line
    const std::tuple<QByteArray, std::optional<QByteArray>, mode_t, QByteArray, rlim_t, std::string>
        rows[] = {
            {"decrypt", std::nullopt, 0700, password, RLIM_INFINITY,
             "File Error: The file does not exist (not a regular file)"},
            {"encrypt", plain, 0444, password, RLIM_INFINITY, denied + " (read-only)"},
            {"encrypt", large, 0644, password, 4096,
             programError + " (cannot write: File too large)"},
            {"decrypt", largeImage, 0644, password, 4096,
             programError + " (cannot write: File too large)"},
            {"encrypt", bell, 0644,
             "ab\x03"
             "cd\n",
             RLIM_INFINITY,
             "Encryption Error: The file to be Encrypted has some illegal Characters which you "
             "cannot Encrypt (a character of code 5 cannot be shifted by 8)"},
        };
    for (const auto& [command, content, mode, input, limit, line] : rows) {
        QTemporaryDir folder;
        const QByteArray file = QFile::encodeName(folder.filePath("file"));
        ASSERT_EQ(content ? (writeBytes(file, *content), ::chmod(file, mode)) : ::mkdir(file, mode),
                  0);
        CliProcess process(folder.path(), {"--password-stdin", command, "file"}, limit);
        EXPECT_EQ(process.finish(input), 2) << line;
        EXPECT_EQ(process.err, "file: " + line + "\n");
        EXPECT_EQ(content ? readBytes(file) : QByteArray(), content.value_or(QByteArray()));
        EXPECT_EQ(entriesOf(folder.path()), QStringList{"file"});
    }
    EXPECT_EQ(runCli({"--password-stdin", "encrypt", "missing"}), 2);
    EXPECT_EQ(m_err, "missing: " + denied + " (cannot open: No such file or directory)\n");
}

// The tool reads, shifts and writes a piece at a time: its resident memory at its peak is the same
// for a file of many megabytes as for one of a few, within one piece of 1 MiB. Its standard error
// is no terminal, so it draws no progress bar, though the larger file takes a while.
TEST_F(CliEndToEnd, MemoryStaysFlatAsTheFileGrows)
{
    long peakKiB[2][2] = {};
    writeBytes(path("zeros"), {});
    for (const int large : {0, 1}) {
        ASSERT_EQ(::truncate(path("zeros").constData(), large ? 28 << 20 : 4 << 20), 0);
        for (const int decrypt : {0, 1}) {
            CliProcess process(m_folder.path(),
                               {"--password-stdin", decrypt ? "decrypt" : "encrypt", "zeros"});
            ASSERT_EQ(process.finish(password), 0) << process.err;
            EXPECT_EQ(process.err, "");
            peakKiB[decrypt][large] = process.peakResidentKiB;
        }
    }
    for (const auto& [small, large] : peakKiB)
        EXPECT_LT(std::abs(large - small), 1024) << small << " KiB, then " << large << " KiB";
}

} // namespace
