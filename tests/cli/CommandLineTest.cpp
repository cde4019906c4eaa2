#include "cli/CommandLine.h"

#include "CoreApplication.h"

#include <gtest/gtest.h>

using cindral::cli::Command;
using cindral::cli::CommandLine;
using cindral::cli::parseCommandLine;
using cindral::cli::PasswordSource;
using cindral::cli::Verbosity;
using Request = CommandLine::Request;

namespace {

CommandLine parse(QStringList arguments)
{
    ensureCoreApplication();
    arguments.prepend(QStringLiteral("cindral-cli"));
    return parseCommandLine(arguments);
}

TEST(CommandLine, AcceptsCommandFilesAndOptions)
{
    {
        const CommandLine line = parse({"encrypt", "a.txt", "b c.txt"});
        ASSERT_EQ(line.request, Request::Run);
        EXPECT_EQ(line.options.command, Command::Encrypt);
        EXPECT_EQ(line.options.files, QStringList({"a.txt", "b c.txt"}));
        EXPECT_EQ(line.options.passwordSource, PasswordSource::Terminal);
        EXPECT_EQ(line.options.verbosity, Verbosity::Quiet);
    }
    {
        const CommandLine line = parse({"decrypt", "--verbose", "x", "--password-stdin"});
        ASSERT_EQ(line.request, Request::Run);
        EXPECT_EQ(line.options.command, Command::Decrypt);
        EXPECT_EQ(line.options.files, QStringList{"x"});
        EXPECT_EQ(line.options.passwordSource, PasswordSource::StandardInput);
        EXPECT_EQ(line.options.verbosity, Verbosity::Stages);
    }
    {
        const CommandLine line = parse({"encrypt", "--", "-file", "--verbose"});
        ASSERT_EQ(line.request, Request::Run);
        EXPECT_EQ(line.options.files, QStringList({"-file", "--verbose"}));
        EXPECT_EQ(line.options.verbosity, Verbosity::Quiet);
    }
}

TEST(CommandLine, RefusesWhatItCannotRun)
{
    const struct
    {
        QStringList arguments;
        const char* complaint;
    } cases[] = {
        {{}, "missing command"},
        {{"shred", "a.txt"}, "unknown command 'shred'"},
        {{"Encrypt", "a.txt"}, "unknown command 'Encrypt'"},
        {{"decrypt"}, "missing FILE"},
        // A password is never an argument.
        {{"--password=secret", "encrypt", "a.txt"}, "password"},
        {{"-p", "secret", "encrypt", "a.txt"}, "Unknown option"},
    };
    for (const auto& row : cases) {
        const CommandLine line = parse(row.arguments);
        EXPECT_EQ(line.request, Request::UsageError) << row.arguments.join(' ').toStdString();
        EXPECT_TRUE(line.text.contains(QLatin1String(row.complaint))) << line.text.toStdString();
    }
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse)
{
    const CommandLine help = parse({"encrypt", "a.txt", "--help"});
    EXPECT_EQ(help.request, Request::Help);
    EXPECT_TRUE(help.text.contains(QLatin1String("--password-stdin")));
    EXPECT_TRUE(help.text.contains(QLatin1String("FILE...")));

    const CommandLine version = parse({"--version"});
    EXPECT_EQ(version.request, Request::Version);
    EXPECT_EQ(version.text, QStringLiteral("cindral-cli 1.0\n"));
}

} // namespace
