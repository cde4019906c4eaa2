// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CommandLine.h"

#include "base/SplitArguments.h"

#include <QCommandLineParser>

namespace cindral::cli {
namespace {

const QString passwordStdinOption = QStringLiteral("password-stdin");
const QString verboseOption = QStringLiteral("verbose");

void describeArguments(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Encrypts or decrypts text files in place under a password, as Cindral "
                       "1.0v does.\nThe password is never an argument: it is typed on the "
                       "terminal, or read from standard input with --password-stdin."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({passwordStdinOption,
                      QStringLiteral("Read the password from the first line of standard input "
                                     "instead of the terminal.")});
    parser.addOption({verboseOption, QStringLiteral("Show each stage on standard error.")});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("encrypt or decrypt."),
                                 QStringLiteral("command"));
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("The text files to work on, each in place."),
                                 QStringLiteral("FILE..."));
}

CommandLine usageError(const QString& text)
{
    return {CommandLine::Request::UsageError, {}, text};
}

CommandLine runRequest(const QCommandLineParser& parser, QByteArrayList positional)
{
    if (positional.isEmpty())
        return usageError(QStringLiteral("missing command: encrypt or decrypt"));
    const QString command = QString::fromLocal8Bit(positional.takeFirst());
    CliOptions options;
    if (command == QLatin1String("encrypt"))
        options.command = Command::Encrypt;
    else if (command == QLatin1String("decrypt"))
        options.command = Command::Decrypt;
    else
        return usageError(QStringLiteral("unknown command '%1': encrypt or decrypt").arg(command));
    if (positional.isEmpty())
        return usageError(QStringLiteral("missing FILE to %1").arg(command));
    options.files = positional;
    options.passwordSource = parser.isSet(passwordStdinOption) ? PasswordSource::StandardInput
                                                               : PasswordSource::Terminal;
    options.verbosity = parser.isSet(verboseOption) ? Verbosity::Stages : Verbosity::Quiet;
    return {CommandLine::Request::Run, options, {}};
}

} // namespace

CommandLine parseCommandLine(const QByteArrayList& arguments)
{
    QStringList texts;
    for (const QByteArray& argument : arguments)
        texts.append(QString::fromLocal8Bit(argument));
    QCommandLineParser parser;
    describeArguments(parser);
    if (!parser.parse(texts))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return {CommandLine::Request::Help, {}, parser.helpText()};
    if (parser.isSet(QStringLiteral("version")))
        return {CommandLine::Request::Version, {}, QStringLiteral("cindral-cli 1.0\n")};
    // The operands as the bytes they were given: the parser sees every argument as text, and a
    // name that is not UTF-8 would come back as another name.
    return runRequest(parser, splitArguments(arguments.sliced(1)).operands);
}

} // namespace cindral::cli
