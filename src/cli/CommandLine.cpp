// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CommandLine.h"

#include "base/SplitArguments.h"

#include <QCommandLineParser>
#include <algorithm>

namespace cindral::cli {
namespace {

struct CommandName
{
    QLatin1StringView name;
    Command command;
    const char* summary;
};

constexpr CommandName commands[] = {
    {QLatin1StringView("encrypt"), Command::Encrypt,
     "Encrypt each FILE in place; the password is asked twice."},
    {QLatin1StringView("decrypt"), Command::Decrypt, "Decrypt each FILE in place."},
    {QLatin1StringView("cat"), Command::Cat,
     "Write the decrypted text of each FILE to standard output;\nthe files stay as they are."},
    {QLatin1StringView("status"), Command::Status,
     "Say of each FILE whether it is encrypted; asks no password."},
    {QLatin1StringView("rekey"), Command::Rekey,
     "Encrypt each encrypted FILE under a new password, asked\ntwice after the current one."},
};

const QString passwordStdinOption = QStringLiteral("password-stdin");
const QString recursiveOption = QStringLiteral("recursive");
const QString verboseOption = QStringLiteral("verbose");
const QString helpOption = QStringLiteral("help");
const QString versionOption = QStringLiteral("version");

// The options, in the order the help lists them. The help is written here rather than by the
// parser, which would name the program by the path it was started by and list Qt's own options.
const QList<QCommandLineOption>& options()
{
    static const QList<QCommandLineOption> all{
        {passwordStdinOption,
         QStringLiteral("Read the password from the first line of standard\ninput instead of "
                        "the terminal; rekey reads the new\none from the second line.")},
        {{QStringLiteral("r"), recursiveOption},
         QStringLiteral("A folder stands for every regular file below it;\nlinks inside it "
                        "are skipped.")},
        {verboseOption, QStringLiteral("Show each stage on standard error.")},
        {{QStringLiteral("h"), helpOption}, QStringLiteral("Show this help and exit.")},
        {{QStringLiteral("v"), versionOption}, QStringLiteral("Show the version and exit.")},
    };
    return all;
}

constexpr qsizetype indent = 2;
constexpr qsizetype nameWidth = 20;

// `name` then `description`, each further line of the description under the first.
QString helpEntry(const QString& name, const QString& description)
{
    const QString margin(indent + nameWidth, QLatin1Char(' '));
    QString lines = description;
    lines.replace(QLatin1Char('\n'), QLatin1Char('\n') + margin);
    return QString(indent, QLatin1Char(' ')) + name.leftJustified(nameWidth - 1) +
           QLatin1Char(' ') + lines + QLatin1Char('\n');
}

QString optionNames(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return names.join(QStringLiteral(", "));
}

QString helpText()
{
    QString text = QStringLiteral(
        "Usage: cindral-cli [OPTION]... COMMAND FILE...\n"
        "Encrypts or decrypts text files in place under a password, as Cindral 1.0v does.\n"
        "The password is never an argument: it is typed on the terminal, or read from\n"
        "standard input with --password-stdin.\n\nCommands:\n");
    for (const CommandName& command : commands)
        text += helpEntry(command.name, QString::fromLatin1(command.summary));
    text += QStringLiteral("\nOptions:\n");
    for (const QCommandLineOption& option : options())
        text += helpEntry(optionNames(option), option.description());
    text += helpEntry(QStringLiteral("--"), QStringLiteral("Every argument after it is a COMMAND "
                                                           "or a FILE."));
    return text + QStringLiteral("\nSee cindral-cli(1) for the exit status and the files.\n");
}

QString commandList()
{
    QStringList names;
    for (const CommandName& command : commands)
        names << command.name;
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

CommandLine usageError(const QString& text)
{
    return {CommandLine::Request::UsageError, {}, text};
}

CommandLine runRequest(const QCommandLineParser& parser, QByteArrayList positional)
{
    if (positional.isEmpty())
        return usageError(QStringLiteral("missing command: ") + commandList());
    const QString name = QString::fromLocal8Bit(positional.takeFirst());
    const auto known = std::ranges::find(commands, name, &CommandName::name);
    if (known == std::end(commands))
        return usageError(QStringLiteral("unknown command '%1': %2").arg(name, commandList()));
    if (positional.isEmpty())
        return usageError(QStringLiteral("missing FILE to %1").arg(name));
    CliOptions options;
    options.command = known->command;
    options.files = positional;
    options.passwordSource = parser.isSet(passwordStdinOption) ? PasswordSource::StandardInput
                                                               : PasswordSource::Terminal;
    options.verbosity = parser.isSet(verboseOption) ? Verbosity::Stages : Verbosity::Quiet;
    options.recursion = parser.isSet(recursiveOption) ? Recursion::IntoFolders : Recursion::Off;
    return {CommandLine::Request::Run, options, {}};
}

} // namespace

CommandLine parseCommandLine(const QByteArrayList& arguments)
{
    QStringList texts;
    for (const QByteArray& argument : arguments)
        texts.append(QString::fromLocal8Bit(argument));
    QCommandLineParser parser;
    parser.addOptions(options());
    if (!parser.parse(texts))
        return usageError(parser.errorText());
    if (parser.isSet(helpOption))
        return {CommandLine::Request::Help, {}, helpText()};
    if (parser.isSet(versionOption))
        return {CommandLine::Request::Version, {}, QStringLiteral("cindral-cli 1.0\n")};
    // The operands as the bytes they were given: the parser sees every argument as text, and a
    // name that is not UTF-8 would come back as another name.
    return runRequest(parser, splitArguments(arguments.sliced(1)).operands);
}

} // namespace cindral::cli
