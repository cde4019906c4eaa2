#include "CoreApplication.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

// cindral-cli run as a user would, on files in a fresh folder.
namespace {

struct CliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Without a controlling terminal, so the tool can never wait for a typed password.
void startDetached(QProcess& process, const QStringList& arguments, const QString& folder)
{
    ensureCoreApplication();
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
    // Run in the test's folder, where relative file names point.
    CliRun runCli(const QStringList& arguments, const QByteArray& input = {})
    {
        QProcess process;
        startDetached(process, arguments, m_dir.path());
        return finish(process, input);
    }
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            ADD_FAILURE() << "cannot write " << path.toStdString();
        }
        return path;
    }
    QString missing(const QString& name) const { return m_dir.filePath(name); }

    static QByteArray bytes(const QString& path)
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

private:
    QTemporaryDir m_dir;
};

const QByteArray password("abcde\n"); // shift 104, fingerprint 99

TEST_F(CliEndToEnd, SeveralFilesMakeTheRoundTripInOneCall)
{
    const QString a = file("a.txt", "Hi\r\n");
    const QString b = file("b.txt", "two\r\nlines");
    const QString c = file("-c.txt", "");

    // A name that looks like an option follows "--".
    const CliRun encrypted =
        runCli({"--password-stdin", "encrypt", a, b, "--", "-c.txt"}, password);
    EXPECT_EQ(encrypted.exitCode, 0) << encrypted.err;
    EXPECT_EQ(bytes(a), QByteArray("\xA9\xB0\xD1\x75\x72"
                                   "99"));
    EXPECT_EQ(bytes(c), QByteArray("\xA9"
                                   "99"));
    EXPECT_EQ(encrypted.out, (a + ": Encrypted: The selected File has been Encrypted and Saved\n" +
                              b + ": Encrypted: The selected File has been Encrypted and Saved\n" +
                              "-c.txt: Encrypted: The selected File has been Encrypted and Saved\n")
                                 .toStdString());
    EXPECT_EQ(encrypted.err, "");

    const CliRun decrypted =
        runCli({"decrypt", a, b, "--password-stdin", "--", "-c.txt"}, "abcde\r\n");
    EXPECT_EQ(decrypted.exitCode, 0) << decrypted.err;
    EXPECT_EQ(bytes(a), QByteArray("Hi\r\n"));
    EXPECT_EQ(bytes(b), QByteArray("two\r\nlines\r\n"));
    EXPECT_EQ(bytes(c), QByteArray(""));
}

TEST_F(CliEndToEnd, ExitStatusIsTheWorstOfAllFiles)
{
    const QByteArray plain("plain\r\n");
    const QByteArray image("\xA9\xB0\xD1\x75\x72"
                           "99");
    const struct
    {
        const char* name;
        QStringList files;
        QByteArray input;
        int exitCode;
    } cases[] = {
        {"all succeed", {file("s1", plain), file("s2", plain)}, password, 0},
        {"one already encrypted", {file("r1", image), file("r2", plain)}, password, 1},
        {"one missing", {missing("f1"), file("f2", plain)}, password, 2},
        {"refused then failed", {file("rf1", image), missing("rf2")}, password, 2},
        {"short password", {file("p1", plain)}, "abcd\n", 1},
        {"no password at all", {file("p2", plain)}, "", 1},
        {"code beyond the shift", {file("h1", "\xFF")}, password, 2},
    };
    for (const auto& row : cases) {
        const CliRun run =
            runCli(QStringList{"--password-stdin", "encrypt"} + row.files, row.input);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.name << "\n" << run.err;
    }
    // The files after a refusal or failure went on and were encrypted.
    EXPECT_TRUE(bytes(missing("r2")).startsWith('\xA9'));
    EXPECT_TRUE(bytes(missing("f2")).startsWith('\xA9'));
}

TEST_F(CliEndToEnd, UsageHelpAndVersionTouchNoFile)
{
    const QString a = file("a.txt", "Hi\r\n");
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"scramble", a}, QStringList{"Encrypt", a},
          QStringList{"encrypt"}, QStringList{"--password", "abcde", "encrypt", a},
          QStringList{"-p", "abcde", "encrypt", a}}) {
        const CliRun run = runCli(arguments, password);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
    }
    const CliRun help = runCli({"encrypt", a, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--password-stdin"), std::string::npos) << help.out;
    EXPECT_EQ(runCli({"--version"}).out, "cindral-cli 1.0\n");
    // No terminal to type the password on, and no --password-stdin.
    const CliRun noTerminal = runCli({"encrypt", a}, password);
    EXPECT_EQ(noTerminal.exitCode, 2);
    EXPECT_NE(noTerminal.err.find("--password-stdin"), std::string::npos) << noTerminal.err;
    EXPECT_EQ(bytes(a), QByteArray("Hi\r\n"));
}

TEST_F(CliEndToEnd, WrongPasswordLeavesTheFileByteIdentical)
{
    const QByteArray image("\xA9\xB0\xD1\x75\x72"
                           "99");
    const QString a = file("a.txt", image);

    const CliRun run = runCli({"--password-stdin", "decrypt", a}, "zzzzz\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, (a + ": Wrong Password,Access Denied: Wrong Password\n").toStdString());
    EXPECT_EQ(bytes(a), image);
}

TEST_F(CliEndToEnd, PasswordIsWindows1252)
{
    // "abcdé": one byte 233 for the é, so the fingerprint is 627 / 5 = 125.
    const QString a = file("a.txt", "Hi\r\n");
    const CliRun run = runCli({"--password-stdin", "encrypt", a}, "abcd\xC3\xA9\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(bytes(a).endsWith("125"));

    // Omega has no byte in that page: refused before the file is touched.
    const QString b = file("b.txt", "Hi\r\n");
    const CliRun refused = runCli({"--password-stdin", "encrypt", b}, "abcd\xCE\xA9\n");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Windows-1252"), std::string::npos) << refused.err;
    EXPECT_EQ(bytes(b), QByteArray("Hi\r\n"));
}

TEST_F(CliEndToEnd, VerboseShowsStagesOnStandardError)
{
    const QString a = file("a.txt", "Hi\r\n");
    const CliRun run = runCli({"--verbose", "--password-stdin", "encrypt", a}, password);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.err,
        (a + ": Getting Data from the File...\n" + a + ": Encrypting the File...\n").toStdString());
}

// The password travels on standard input only: while the tool waits for it, its command
// line as every user of the system sees it holds no trace of it.
TEST_F(CliEndToEnd, PasswordNeverInTheProcessArguments)
{
    const QString a = file("a.txt", "Hi\r\n");
    QProcess process;
    startDetached(process, {"--password-stdin", "encrypt", a}, QDir::tempPath());
    ASSERT_TRUE(process.waitForStarted());

    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(process.processId()));
    ASSERT_TRUE(cmdline.open(QIODevice::ReadOnly));
    const QByteArray arguments = cmdline.readAll();
    EXPECT_TRUE(arguments.contains("--password-stdin"));
    EXPECT_FALSE(arguments.contains("abcde"));

    const CliRun run = finish(process, password);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(bytes(a).endsWith("99"));
}

} // namespace
