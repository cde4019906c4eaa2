// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CommandLineTool.h"

#include "cli/CommandLine.h"
#include "cli/ConsoleWindow.h"
#include "cli/ExitStatus.h"
#include "cli/PasswordInput.h"
#include "cli/ToolError.h"
#include "operations/Cp1252.h"
#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/FileDescriptor.h"
#include "operations/FileSizeSignal.h"
#include "operations/InterruptedSaves.h"
#include "operations/OperationState.h"

#include <QFile>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace cindral::cli {
namespace {

// The controlling terminal, open while the password is typed.
class ControllingTerminal
{
public:
    ControllingTerminal() : m_fd(::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {}

    [[nodiscard]] QByteArray readHidden(QByteArrayView prompt) const
    {
        const std::optional<QByteArray> line =
            m_fd.isOpen() ? readHiddenLine(m_fd.get(), prompt) : std::nullopt;
        if (!line) {
            throw ToolError(ExitStatus::Failed,
                            QStringLiteral("no terminal to read the password from; "
                                           "use --password-stdin"));
        }
        return *line;
    }

private:
    FileDescriptor m_fd;
};

// Encryption asks twice: a typing mistake would lock the file under a password nobody knows.
QByteArray typedPassword(Command command)
{
    const ControllingTerminal terminal;
    const QByteArray password = terminal.readHidden("Password: ");
    if (command == Command::Encrypt && terminal.readHidden("Repeat password: ") != password)
        throw ToolError(ExitStatus::Refused, QStringLiteral("the passwords do not match"));
    return password;
}

QByteArray standardInputPassword()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        throw ToolError(ExitStatus::Failed, QStringLiteral("cannot read standard input"));
    return firstLine(input);
}

// The password as the code page of the encrypted files has it, one byte a character.
QByteArray passwordBytes(const CliOptions& options)
{
    const QByteArray typed = options.passwordSource == PasswordSource::Terminal
                                 ? typedPassword(options.command)
                                 : standardInputPassword();
    const std::optional<QByteArray> bytes = cp1252::encode(QString::fromLocal8Bit(typed));
    if (!bytes) {
        throw ToolError(ExitStatus::Refused,
                        QStringLiteral("the password holds a character that Windows-1252 "
                                       "cannot represent"));
    }
    return *bytes;
}

Outcome runCommand(Command command, ConsoleWindow& window)
{
    OperationState state;
    return command == Command::Encrypt ? runEncrypt(window, state) : runDecrypt(window, state);
}

// Each file is an operation of its own; a refusal or failure does not stop the others.
ExitStatus runOnEveryFile(const CliOptions& options, const QByteArray& password, QIODevice& out,
                          QIODevice& err)
{
    ExitStatus status = ExitStatus::Success;
    const auto progress = ::isatty(STDERR_FILENO) != 0 ? ConsoleWindow::Progress::Shown
                                                       : ConsoleWindow::Progress::Hidden;
    for (const QByteArray& file : options.files) {
        ConsoleWindow window(password, file, options.verbosity, out, err, progress);
        const Outcome outcome = runCommand(options.command, window);
        status = worse(status, exitStatusOf(outcome));
    }
    return status;
}

ExitStatus run(const CommandLine& commandLine, QIODevice& out, QIODevice& err)
{
    switch (commandLine.request) {
    case CommandLine::Request::Help:
    case CommandLine::Request::Version:
        out.write(commandLine.text.toLocal8Bit());
        return ExitStatus::Success;
    case CommandLine::Request::UsageError:
        err.write("cindral-cli: " + commandLine.text.toLocal8Bit() +
                  "\nTry 'cindral-cli --help'.\n");
        return ExitStatus::Failed;
    case CommandLine::Request::Run:
        break;
    }
    for (const InterruptedSave& save : finishInterruptedSaves())
        err.write(lineOf(save));
    try {
        const QByteArray password = passwordBytes(commandLine.options);
        return runOnEveryFile(commandLine.options, password, out, err);
    } catch (const ToolError& error) {
        err.write("cindral-cli: " + error.message().toLocal8Bit() + '\n');
        return error.status();
    }
}

} // namespace

int runCommandLineTool(const QByteArrayList& arguments)
{
    ignoreFileSizeSignal();
    QFile out;
    QFile err;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return static_cast<int>(ExitStatus::Failed);
    return static_cast<int>(run(parseCommandLine(arguments), out, err));
}

} // namespace cindral::cli
