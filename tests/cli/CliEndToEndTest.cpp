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
    CliRun runCli(const QByteArrayList& arguments, const QByteArray& input = password)
    {
        return CliProcess(m_folder.path(), arguments).finish(input);
    }
    // As bytes: the names of some tests are not UTF-8.
    QByteArray path(const QByteArray& name) const
    {
        return QFile::encodeName(m_folder.path()) + '/' + name;
    }

    QTemporaryDir m_folder;
};

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
        // While the tool waits for the password, every user of the system can see its arguments.
        const QByteArray arguments =
            readBytes(QStringLiteral("/proc/%1/cmdline").arg(process.pid()));
        EXPECT_EQ(arguments,
                  QByteArrayList({CINDRAL_CLI_PATH, command, "a.txt"}).join('\0') + '\0');
        for (const QByteArray& line : lines)
            ASSERT_TRUE(pty.shownUntil("assword: ").endsWith("assword: ") && pty.type(line));
        const CliRun run = process.finish({});
        EXPECT_EQ(run.status, exitCode) << run.err;
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
    const CliRun encrypted =
        runCli({"--password-stdin", "encrypt", "a.txt", latin1, "--", "-b.txt"}, "abcd\xC3\xA9\n");
    EXPECT_EQ(encrypted.status, 0) << encrypted.err;
    EXPECT_EQ(encrypted.out,
              "a.txt: Encrypted: The selected File has been Encrypted and Saved\n"
              "caf\xE9.txt: Encrypted: The selected File has been Encrypted and Saved\n"
              "-b.txt: Encrypted: The selected File has been Encrypted and Saved\n");
    EXPECT_EQ(readBytes(path("a.txt")), "\xA9\xB0\xD1ur125");
    EXPECT_EQ(readBytes(path(latin1)), "\xA9\xB0\xD1ur125");

    const CliRun decrypted = runCli(
        {"decrypt", "a.txt", latin1, "--password-stdin", "--", "-b.txt"}, "abcd\xC3\xA9\r\n");
    EXPECT_EQ(decrypted.status, 0) << decrypted.err;
    EXPECT_EQ(readBytes(path("a.txt")), plain);
    EXPECT_EQ(readBytes(path(latin1)), plain);
    EXPECT_EQ(readBytes(path("-b.txt")), "two\r\nlines\r\n");
    EXPECT_EQ(readBytes(path(twin)), "the twin\r\n");
}

// The files after a refusal or failure are still done; only successes go to standard output;
// refused files, a wrong password included, stay byte for byte as they were.
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
    CliRun last;
    for (const auto& [arguments, input, exitCode] : rows) {
        last = runCli(QByteArrayList{"--password-stdin"} + arguments, input);
        EXPECT_EQ(last.status, exitCode) << arguments.join(' ').toStdString() << "\n" << last.err;
    }
    for (const QByteArray name : {"refused-then-done", "failed-then-done", "image"})
        EXPECT_EQ(readBytes(path(name)), image) << name.toStdString();
    EXPECT_EQ(last.out, "");
    EXPECT_EQ(last.err,
              "image: Getting Data from the File...\n"
              "image: Encryption Error: File is Already Encrypted, you cannot Encrypt again!\n");
}

// The reason the system gave follows the window's own words, and no stray file is left. Past the
// file-size limit a write fails like one on a full disk, never a death by SIGXFSZ. With a control
// character third in the password the shift can be below 14 (here 8), and a text that would then
// encrypt to a CR, which decryption takes for a line end, is refused.
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
        const CliRun run = process.finish(input);
        EXPECT_EQ(run.status, 2) << line;
        EXPECT_EQ(run.err, "file: " + line + "\n");
        EXPECT_EQ(content ? readBytes(file) : QByteArray(), content.value_or(QByteArray()));
        EXPECT_EQ(entriesOf(folder.path()), QStringList{"file"});
    }
    const CliRun missing = runCli({"--password-stdin", "encrypt", "missing"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "missing: " + denied + " (cannot open: No such file or directory)\n");
}

// Flat within one piece of 1 MiB. Standard error is no terminal, so no progress bar is drawn,
// though the larger file takes a while.
TEST_F(CliEndToEnd, MemoryStaysFlatAsTheFileGrows)
{
    long peakKiB[2][2] = {};
    writeBytes(path("zeros"), {});
    for (const int large : {0, 1}) {
        ASSERT_EQ(::truncate(path("zeros").constData(), large ? 28 << 20 : 4 << 20), 0);
        for (const int decrypt : {0, 1}) {
            const CliRun run =
                runCli({"--password-stdin", decrypt ? "decrypt" : "encrypt", "zeros"});
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.err, "");
            peakKiB[decrypt][large] = run.peakResidentKiB;
        }
    }
    for (const auto& [small, large] : peakKiB)
        EXPECT_LT(std::abs(large - small), 1024) << small << " KiB, then " << large << " KiB";
}

} // namespace
