// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"

#include "support/ScratchFiles.h"

#include <QVector>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Only async-signal-safe calls between fork and exec; a failure ends the child with 127.
[[noreturn]] void execInChild(const QByteArray& folder, const QVector<char*>& argv, int input,
                              int out, int err, rlim_t fileSizeLimit, const QByteArray& terminal,
                              int execFailed)
{
    const struct rlimit limit = {fileSizeLimit, fileSizeLimit};
    ::signal(SIGPIPE, SIG_DFL);
    // The first terminal a session leader opens becomes its controlling terminal.
    if (::setsid() < 0 || (!terminal.isEmpty() && ::open(terminal.constData(), O_RDWR) < 0) ||
        ::chdir(folder.constData()) != 0 || ::dup2(input, STDIN_FILENO) < 0 ||
        ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0 ||
        ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ::_exit(127);
    ::execv(argv.front(), argv.data());
    const char failed = 1;
    (void)::write(execFailed, &failed, 1);
    ::_exit(127);
}

int openOutput(const QString& path)
{
    return ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

} // namespace

CliProcess::CliProcess(const QString& folder, const QByteArrayList& arguments, rlim_t fileSizeLimit,
                       const QByteArray& terminal)
{
    QByteArrayList words{CINDRAL_CLI_PATH};
    words += arguments;
    QVector<char*> argv;
    for (QByteArray& word : words)
        argv.append(word.data());
    argv.append(nullptr);
    int input[2];
    int execFailed[2];
    const int out = openOutput(m_streams.filePath("out"));
    const int err = openOutput(m_streams.filePath("err"));
    if (out < 0 || err < 0 || ::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(execFailed, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot prepare the CLI's streams");
    m_pid = ::fork();
    if (m_pid == 0)
        execInChild(folder.toLocal8Bit(), argv, input[0], out, err, fileSizeLimit, terminal,
                    execFailed[1]);
    for (const int fd : {input[0], out, err, execFailed[1]})
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

CliRun CliProcess::finish(const QByteArray& input)
{
    // The tool reads one line; input beyond what the pipe holds would block here. A tool that
    // has already ended makes the write fail rather than end the test.
    ::signal(SIGPIPE, SIG_IGN);
    (void)::write(m_input, input.constData(), static_cast<size_t>(input.size()));
    ::close(m_input);
    m_input = -1;
    int status = 0;
    struct rusage usage = {};
    for (int waited = 0; ::wait4(m_pid, &status, WNOHANG, &usage) == 0; waited += 10) {
        if (waited == 30000)
            ::kill(m_pid, SIGKILL);
        ::usleep(10000);
    }
    m_pid = -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            readBytes(m_streams.filePath("out")).toStdString(),
            readBytes(m_streams.filePath("err")).toStdString(), usage.ru_maxrss};
}
