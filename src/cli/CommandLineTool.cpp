// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CommandLineTool.h"

#include "cli/CommandLine.h"
#include "cli/ConsoleWindow.h"
#include "cli/ExitStatus.h"
#include "cli/FoundFiles.h"
#include "cli/PasswordInput.h"
#include "cli/SideBySideRun.h"
#include "cli/ToolError.h"
#include "files/FileDescriptor.h"
#include "files/FileSizeSignal.h"
#include "files/InterruptedSaves.h"
#include "files/PieceSize.h"
#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/OperationState.h"
#include "operations/RekeyOperation.h"
#include "text/Cp1252.h"

#include <QFile>
#include <csignal>
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

// A password to encrypt with is asked twice: a typing mistake would lock the file under a
// password nobody knows.
QByteArray typedTwice(const ControllingTerminal& terminal, QByteArrayView prompt,
                      QByteArrayView repeatPrompt)
{
    const QByteArray password = terminal.readHidden(prompt);
    if (terminal.readHidden(repeatPrompt) != password)
        throw ToolError(ExitStatus::Refused, QStringLiteral("the passwords do not match"));
    return password;
}

Passwords typedPasswords(Command command)
{
    const ControllingTerminal terminal;
    if (command == Command::Encrypt)
        return {typedTwice(terminal, "Password: ", "Repeat password: "), {}};
    Passwords typed{terminal.readHidden("Password: "), {}};
    if (command == Command::Rekey)
        typed.next = typedTwice(terminal, "New password: ", "Repeat new password: ");
    return typed;
}

// The first line; rekey's new password is the second.
Passwords standardInputPasswords(Command command)
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        throw ToolError(ExitStatus::Failed, QStringLiteral("cannot read standard input"));
    Passwords read{firstLine(input), {}};
    if (command == Command::Rekey)
        read.next = firstLine(input);
    return read;
}

// The password as the code page of the encrypted files has it, one byte a character.
QByteArray passwordBytes(const QByteArray& typed)
{
    const std::optional<QByteArray> bytes = cp1252::encode(QString::fromLocal8Bit(typed));
    if (!bytes) {
        throw ToolError(ExitStatus::Refused,
                        QStringLiteral("the password holds a character that Windows-1252 "
                                       "cannot represent"));
    }
    return *bytes;
}

// Status asks for none.
Passwords passwordsFor(const CliOptions& options)
{
    if (options.command == Command::Status)
        return {};
    const Passwords typed = options.passwordSource == PasswordSource::Terminal
                                ? typedPasswords(options.command)
                                : standardInputPasswords(options.command);
    return {passwordBytes(typed.current), passwordBytes(typed.next)};
}

// "FILE: encrypted" or "FILE: not encrypted" on standard output.
Outcome reportStatus(ConsoleWindow& window, OperationState& state, const QByteArray& path,
                     QIODevice& out)
{
    const std::optional<cipher::FileStatus> status = runStatus(window, state);
    if (!status)
        return Outcome::Failed;
    out.write(path +
              (*status == cipher::FileStatus::Encrypted ? ": encrypted\n" : ": not encrypted\n"));
    return Outcome::Succeeded;
}

Outcome runCommand(Command command, ConsoleWindow& window, const QByteArray& path, QIODevice& out,
                   qsizetype pieceSize = defaultPieceSize)
{
    OperationState state;
    switch (command) {
    case Command::Encrypt:
        return runEncrypt(window, state, pieceSize);
    case Command::Decrypt:
        return runDecrypt(window, state, pieceSize);
    case Command::Cat:
        return runCat(window, state, STDOUT_FILENO, pieceSize);
    case Command::Status:
        return reportStatus(window, state, path, out);
    case Command::Rekey:
        return runRekey(window, state, pieceSize);
    }
    return Outcome::Failed;
}

// A bar on the terminal that cat's text is written to would break into the text.
ConsoleWindow::Progress progressFor(Command command)
{
    const bool shown =
        ::isatty(STDERR_FILENO) != 0 && (command != Command::Cat || ::isatty(STDOUT_FILENO) == 0);
    return shown ? ConsoleWindow::Progress::Shown : ConsoleWindow::Progress::Hidden;
}

// The commands that save: over many files they are worked on side by side, their flushes made
// together, which is most of what a small file's save costs. Cat's text must come out in the
// order of the files, and status saves nothing.
[[nodiscard]] bool savesSideBySide(Command command, std::size_t files)
{
    return files > 1 && command != Command::Cat && command != Command::Status;
}

ExitStatus runSideBySide(const CliOptions& options, const Passwords& passwords,
                         std::vector<FoundFile> files, QIODevice& out, QIODevice& err)
{
    SideBySideRun run(std::move(files), [&](const FoundFile& file, qsizetype pieceSize,
                                            QIODevice& fileOut, QIODevice& fileErr) {
        ConsoleWindow window(passwords, file, options.verbosity, fileOut, fileErr,
                             ConsoleWindow::Progress::Hidden);
        return runCommand(options.command, window, file.path, fileOut, pieceSize);
    });
    std::optional<ProgressBar> bar;
    if (progressFor(options.command) == ConsoleWindow::Progress::Shown)
        bar.emplace(err);
    return run.run(out, err, bar);
}

// Each file is an operation of its own; a refusal or failure does not stop the others.
ExitStatus runOnEveryFile(const CliOptions& options, const Passwords& passwords, QIODevice& out,
                          QIODevice& err)
{
    std::vector<FoundFile> files = filesToWorkOn(options.files, options.recursion);
    if (savesSideBySide(options.command, files.size()))
        return runSideBySide(options, passwords, std::move(files), out, err);
    ExitStatus status = ExitStatus::Success;
    const ConsoleWindow::Progress progress = progressFor(options.command);
    for (const FoundFile& file : files) {
        ConsoleWindow window(passwords, file, options.verbosity, out, err, progress);
        const Outcome outcome = runCommand(options.command, window, file.path, out);
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
        const Passwords passwords = passwordsFor(commandLine.options);
        return runOnEveryFile(commandLine.options, passwords, out, err);
    } catch (const ToolError& error) {
        err.write("cindral-cli: " + error.message().toLocal8Bit() + '\n');
        return error.status();
    }
}

} // namespace

int runCommandLineTool(const QByteArrayList& arguments)
{
    ignoreFileSizeSignal();
    // The write leases of files saved side by side share the one disposition of the signal that
    // tells of a lease broken; each would otherwise put back what another had just changed.
    std::signal(SIGIO, SIG_IGN);
    // A reader that goes away (cat into `head`) ends the tool at once and quietly, as it ends
    // cat(1), also when the tool was started with the signal ignored. Only standard output and
    // error are pipes: the user's files never are.
    std::signal(SIGPIPE, SIG_DFL);
    QFile out;
    QFile err;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return static_cast<int>(ExitStatus::Failed);
    return static_cast<int>(run(parseCommandLine(arguments), out, err));
}

} // namespace cindral::cli
