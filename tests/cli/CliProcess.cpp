// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"

#include "support/ScratchFiles.h"
#include "support/Users.h"

#include <QVector>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/ptrace.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {

// Only async-signal-safe calls between fork and exec; a failure ends the child with 127.
[[noreturn]] void execInChild(const QByteArray& folder, const QVector<char*>& argv,
                              const QVector<char*>& envp, int input, int out, int err,
                              const CliSetup& setup, int execFailed)
{
    const struct rlimit limit = {setup.fileSizeLimit, setup.fileSizeLimit};
    // Into a pipe whose reader has gone, the tool must end as cat(1) does even when it was
    // started with the signal ignored.
    ::signal(SIGPIPE, setup.closedPipe ? SIG_IGN : SIG_DFL);
    // The first terminal a session leader opens becomes its controlling terminal.
    if (::setsid() < 0 ||
        (!setup.terminal.isEmpty() && ::open(setup.terminal.constData(), O_RDWR) < 0) ||
        !becomeUser(setup.user) || ::chdir(folder.constData()) != 0 ||
        ::dup2(input, STDIN_FILENO) < 0 || ::dup2(out, STDOUT_FILENO) < 0 ||
        ::dup2(err, STDERR_FILENO) < 0 || ::setrlimit(RLIMIT_FSIZE, &limit) != 0 ||
        (setup.traced && ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0))
        ::_exit(127);
    ::execve(argv.front(), argv.data(), envp.data());
    const char failed = 1;
    ::_exit(::write(execFailed, &failed, 1) == 1 ? 127 : 126);
}

int openOutput(const QString& path)
{
    return ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

// The strings as exec takes them, then those of `more` up to its null, then a null.
QVector<char*> pointersTo(QByteArrayList& strings, char** more)
{
    QVector<char*> pointers;
    for (QByteArray& string : strings)
        pointers.append(string.data());
    for (; more != nullptr && *more != nullptr; ++more)
        pointers.append(*more);
    pointers.append(nullptr);
    return pointers;
}

// The tool reads one line; input beyond what the pipe holds would block here. A tool that has
// already ended makes the write fail rather than end the test.
void writeAndClose(int fd, const QByteArray& input)
{
    ::signal(SIGPIPE, SIG_IGN);
    [[maybe_unused]] const ssize_t written = ::write(fd, input.constData(), input.size());
    ::close(fd);
}

} // namespace

CliProcess::CliProcess(const QString& folder, const QByteArrayList& arguments, CliSetup setup)
{
    QByteArrayList words = QByteArrayList{setup.program} + arguments;
    // LeakSanitizer cannot run under ptrace; the untraced runs look for leaks.
    if (setup.traced)
        setup.environment.prepend("ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=0");
    const QVector<char*> argv = pointersTo(words, nullptr);
    const QVector<char*> envp = pointersTo(setup.environment, environ);
    int input[2];
    int execFailed[2];
    // The read end of the pipe is closed once the child has it only until exec closes it too.
    int closedPipe[2] = {-1, -1};
    const int outFile = openOutput(m_streams.filePath("out"));
    const int err = openOutput(m_streams.filePath("err"));
    if (outFile < 0 || err < 0 || (setup.closedPipe && ::pipe2(closedPipe, O_CLOEXEC) != 0) ||
        ::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(execFailed, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot prepare the CLI's streams");
    m_pid = ::fork();
    if (m_pid == 0)
        execInChild(folder.toLocal8Bit(), argv, envp, input[0],
                    setup.closedPipe ? closedPipe[1] : outFile, err, setup, execFailed[1]);
    for (const int fd : {input[0], outFile, err, execFailed[1], closedPipe[0], closedPipe[1]})
        ::close(fd);
    m_input = input[1];
    // The pipe closes at exec without a byte: from here on the child is cindral-cli.
    char failed = 0;
    const bool executed = ::read(execFailed[0], &failed, 1) == 0;
    ::close(execFailed[0]);
    if (!executed)
        throw std::runtime_error("cannot run " CINDRAL_CLI_PATH);
}

CliProcess::~CliProcess()
{
    if (m_input >= 0)
        ::close(m_input);
    if (m_pid > 0 && ::waitpid(m_pid, nullptr, WNOHANG) == 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

CliRun CliProcess::ended(int status)
{
    m_pid = -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            readBytes(m_streams.filePath("out")).toStdString(),
            readBytes(m_streams.filePath("err")).toStdString()};
}

CliRun CliProcess::finish(const QByteArray& input)
{
    writeAndClose(std::exchange(m_input, -1), input);
    int status = 0;
    for (int waited = 0; ::waitpid(m_pid, &status, WNOHANG) == 0; waited += 10) {
        if (waited == 30000)
            ::kill(m_pid, SIGKILL);
        ::usleep(10000);
    }
    return ended(status);
}

CliRun CliProcess::finishTraced(const QByteArray& input, const Stop& stop)
{
    writeAndClose(std::exchange(m_input, -1), input);
    int status = 0;
    ::waitpid(m_pid, &status, 0); // stopped at its exec
    ::ptrace(PTRACE_SETOPTIONS, m_pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    int calls = 0;
    int signal = 0;
    bool entering = true;
    for (;;) {
        ::ptrace(PTRACE_SYSCALL, m_pid, nullptr, std::exchange(signal, 0));
        if (::waitpid(m_pid, &status, 0) < 0 || !WIFSTOPPED(status))
            break;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            signal = WSTOPSIG(status); // the program's own, passed on
            continue;
        }
        user_regs_struct registers = {};
        ::ptrace(PTRACE_GETREGS, m_pid, nullptr, &registers);
        const bool phase = entering == (stop.when == Stop::When::Entry);
        if (phase && static_cast<long>(registers.orig_rax) == stop.syscall && ++calls == stop.nth) {
            if (stop.meddle)
                stop.meddle();
            if (stop.then == Stop::Then::Kill)
                ::kill(m_pid, SIGKILL);
            if (stop.then == Stop::Then::FailWithEio) {
                registers.rax = static_cast<unsigned long long>(-EIO);
                ::ptrace(PTRACE_SETREGS, m_pid, nullptr, &registers);
            }
        }
        entering = !entering;
    }
    return ended(status);
}
