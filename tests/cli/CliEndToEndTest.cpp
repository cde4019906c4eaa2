#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

// cindral-cli run as a user would, on files in a fresh folder.
namespace {

const QByteArray password = "abcde\n"; // shift 104, fingerprint 99
const QByteArray plain = "Hi\r\n";
const QByteArray image = "\xA9\xB0\xD1ur99"; // "ur": CR LF shifted by 104

struct CliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// In a session of its own, without a terminal, so the tool can never wait for a typed password.
void start(QProcess& process, const QStringList& arguments, const QString& folder)
{
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    static const QCoreApplication application(argc, argv); // QProcess wants one
    process.setWorkingDirectory(folder);
    process.setProgram(QStringLiteral(CINDRAL_CLI_PATH));
    process.setArguments(arguments);
    process.setChildProcessModifier([] { ::setsid(); });
    process.start();
}

CliRun finish(QProcess& process, const QByteArray& input)
{
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

class CliEndToEnd : public testing::Test
{
protected:
    CliRun runCli(const QStringList& arguments, const QByteArray& input = password)
    {
        QProcess process;
        start(process, arguments, m_folder.path());
        return finish(process, input);
    }
    void file(const QString& name, const QByteArray& bytes)
    {
        QFile out(m_folder.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
    QByteArray bytes(const QString& name) const
    {
        QFile in(m_folder.filePath(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_folder;
};

TEST_F(CliEndToEnd, SeveralFilesMakeTheRoundTripInOneCall)
{
    file("a.txt", plain);
    file("-b.txt", "two\r\nlines"); // a name that looks like an option follows "--"

    // "abcdé" in Windows-1252: 627 / 5 = 125, and still shift 104
    const CliRun encrypted =
        runCli({"--password-stdin", "encrypt", "a.txt", "--", "-b.txt"}, "abcd\xC3\xA9\n");
    EXPECT_EQ(encrypted.exitCode, 0) << encrypted.err;
    EXPECT_EQ(encrypted.out, "a.txt: Encrypted: The selected File has been Encrypted and Saved\n"
                             "-b.txt: Encrypted: The selected File has been Encrypted and Saved\n");
    EXPECT_EQ(bytes("a.txt"), "\xA9\xB0\xD1ur125");

    const CliRun decrypted =
        runCli({"decrypt", "a.txt", "--password-stdin", "--", "-b.txt"}, "abcd\xC3\xA9\r\n");
    EXPECT_EQ(decrypted.exitCode, 0) << decrypted.err;
    EXPECT_EQ(bytes("a.txt"), plain);
    EXPECT_EQ(bytes("-b.txt"), "two\r\nlines\r\n");
}

// 0 for success, 1 for a refusal, 2 for a failure or a usage error: over several files the
// worst, and the files after a refusal or failure are still done. Refused files, a wrong password
// included, stay byte for byte as they were.
TEST_F(CliEndToEnd, ExitStatusIsTheWorstOfAllFiles)
{
    for (const QString name : {"plain", "refused-then-done", "failed-then-done"})
        file(name, plain);
    file("image", image);
    const struct
    {
        QStringList arguments;
        QByteArray input;
        int exitCode;
    } rows[] = {
        {{"encrypt", "plain"}, password, 0},
        {{"encrypt", "image", "refused-then-done"}, password, 1},
        {{"encrypt", "missing", "failed-then-done"}, password, 2},
        {{"decrypt", "image"}, "zzzzz\n", 1},
        {{"decrypt", "image", "missing"}, "zzzzz\n", 2},
        {{"encrypt", "plain"}, "abcd\n", 1},
        {{"encrypt", "plain"}, "abcd\xCE\xA9\n", 1}, // omega: no Windows-1252 byte
        {{"scramble", "plain"}, password, 2},
    };
    for (const auto& [arguments, input, exitCode] : rows) {
        const CliRun run = runCli(QStringList{"--password-stdin"} + arguments, input);
        EXPECT_EQ(run.exitCode, exitCode) << arguments.join(' ').toStdString() << "\n" << run.err;
    }
    EXPECT_EQ(bytes("refused-then-done"), image);
    EXPECT_EQ(bytes("failed-then-done"), image);
    EXPECT_EQ(bytes("image"), image);
}

// The password travels on standard input only: while the tool waits for it, its command line
// as every user of the system sees it holds no trace of it.
TEST_F(CliEndToEnd, PasswordNeverInTheProcessArguments)
{
    file("a.txt", plain);
    QProcess process;
    start(process, {"--password-stdin", "encrypt", "a.txt"}, m_folder.path());
    ASSERT_TRUE(process.waitForStarted());
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(process.processId()));
    ASSERT_TRUE(commandLine.open(QIODevice::ReadOnly));
    const QByteArray arguments = commandLine.readAll();
    EXPECT_TRUE(arguments.contains("--password-stdin"));

    EXPECT_EQ(finish(process, password).exitCode, 0);
    EXPECT_FALSE(arguments.contains("abcde"));
    EXPECT_EQ(bytes("a.txt"), image);
}

} // namespace
