#include "operations/ScratchFiles.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <unistd.h>

namespace {

const QByteArray password = "abcde\n"; // shift 104, fingerprint 99
const QByteArray plain = "Hi\r\n";
const QByteArray image = "\xA9\xB0\xD1ur99"; // "ur": CR LF shifted by 104

// cindral-cli run as a user would, on files in a fresh folder: in a session of its own, without
// a terminal, so the tool can never wait for a typed password.
class CliEndToEnd : public testing::Test
{
protected:
    void start(QProcess& process, const QStringList& arguments)
    {
        static int argc = 1;
        static char name[] = "cli_tests";
        static char* argv[] = {name, nullptr};
        static const QCoreApplication application(argc, argv); // QProcess wants one
        process.setWorkingDirectory(m_folder.path());
        process.setChildProcessModifier([] { ::setsid(); });
        process.start(QStringLiteral(CINDRAL_CLI_PATH), arguments);
    }
    // The exit status, -1 for a crash; what the tool printed stays in m_out and m_err.
    int finish(QProcess& process, const QByteArray& input)
    {
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(60000);
        m_out = process.readAllStandardOutput().toStdString();
        m_err = process.readAllStandardError().toStdString();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    int runCli(const QStringList& arguments, const QByteArray& input = password)
    {
        QProcess process;
        start(process, arguments);
        return finish(process, input);
    }
    QString path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    std::string m_out;
    std::string m_err;
};

TEST_F(CliEndToEnd, SeveralFilesMakeTheRoundTripInOneCall)
{
    writeBytes(path("a.txt"), plain);
    writeBytes(path("-b.txt"), "two\r\nlines"); // a name that looks like an option follows "--"

    // "abcdé" in Windows-1252: 627 / 5 = 125, and still shift 104
    EXPECT_EQ(runCli({"--password-stdin", "encrypt", "a.txt", "--", "-b.txt"}, "abcd\xC3\xA9\n"), 0)
        << m_err;
    EXPECT_EQ(m_out, "a.txt: Encrypted: The selected File has been Encrypted and Saved\n"
                     "-b.txt: Encrypted: The selected File has been Encrypted and Saved\n");
    EXPECT_EQ(readBytes(path("a.txt")), "\xA9\xB0\xD1ur125");

    EXPECT_EQ(runCli({"decrypt", "a.txt", "--password-stdin", "--", "-b.txt"}, "abcd\xC3\xA9\r\n"),
              0)
        << m_err;
    EXPECT_EQ(readBytes(path("a.txt")), plain);
    EXPECT_EQ(readBytes(path("-b.txt")), "two\r\nlines\r\n");
}

// 0 for success, 1 for a refusal, 2 for a failure or a usage error: over several files the
// worst, and the files after a refusal or failure are still done. Refused files, a wrong password
// included, stay byte for byte as they were.
TEST_F(CliEndToEnd, ExitStatusIsTheWorstOfAllFiles)
{
    for (const QString name : {"plain", "refused-then-done", "failed-then-done"})
        writeBytes(path(name), plain);
    writeBytes(path("image"), image);
    const std::tuple<QStringList, QByteArray, int> rows[] = {
        {{"encrypt", "plain"}, password, 0},
        {{"encrypt", "image", "refused-then-done"}, password, 1},
        {{"encrypt", "missing", "failed-then-done"}, password, 2},
        {{"decrypt", "image"}, "zzzzz\n", 1},
        {{"decrypt", "image", "missing"}, "zzzzz\n", 2},
        {{"encrypt", "plain"}, "abcd\xCE\xA9\n", 1}, // omega: no Windows-1252 byte
        {{"scramble", "plain"}, password, 2},
    };
    for (const auto& [arguments, input, exitCode] : rows)
        EXPECT_EQ(runCli(QStringList{"--password-stdin"} + arguments, input), exitCode)
            << arguments.join(' ').toStdString() << "\n"
            << m_err;
    for (const QString name : {"refused-then-done", "failed-then-done", "image"})
        EXPECT_EQ(readBytes(path(name)), image) << name.toStdString();
}

// The password travels on standard input only: while the tool waits for it, its command line
// as every user of the system sees it holds no trace of it.
TEST_F(CliEndToEnd, PasswordNeverInTheProcessArguments)
{
    writeBytes(path("a.txt"), plain);
    QProcess process;
    start(process, {"--password-stdin", "encrypt", "a.txt"});
    ASSERT_TRUE(process.waitForStarted());
    const QByteArray arguments =
        readBytes(QStringLiteral("/proc/%1/cmdline").arg(process.processId()));
    EXPECT_TRUE(arguments.contains("--password-stdin"));

    EXPECT_EQ(finish(process, password), 0);
    EXPECT_FALSE(arguments.contains("abcde"));
    EXPECT_EQ(readBytes(path("a.txt")), image);
}

} // namespace
