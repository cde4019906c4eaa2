// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

// How a run of cindral-cli ended: its exit status (128 + the signal that ended it, if one did)
// and what it wrote.
struct CliRun
{
    int status = 0;
    std::string out;
    std::string err;
};

struct CliSetup
{
    rlim_t fileSizeLimit = RLIM_INFINITY;
    QByteArray terminal{};        // none: no controlling terminal
    QByteArrayList environment{}; // "NAME=value" entries before the test's own
    bool traced = false;          // stopped at its start, for finishTraced
    bool closedPipe = false;      // standard output a pipe whose reader has gone before it writes
    uid_t user = ::geteuid();     // and group of the same number; another only for root
    QByteArray program = CINDRAL_CLI_PATH;
};

// cindral-cli run as a user would run it: its arguments as raw bytes, in a session of its own
// whose terminal is the one named or none (so it can never wait for a typed password), in a given
// folder, with an optional file-size limit. Standard output and error go to files, so nothing can
// block, or standard output to a pipe nobody reads. Once constructed, the child is cindral-cli.
class CliProcess
{
public:
    CliProcess(const QString& folder, const QByteArrayList& arguments, CliSetup setup = {});
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // Writes `input` to standard input, closes it and waits for the end, killing a program still
    // running after thirty seconds.
    CliRun finish(const QByteArray& input);

    // Where a traced program is stopped: as it begins its `nth` call of `syscall` (Entry) or as
    // it returns from it (Exit), never for 0. There `meddle` runs, what someone else does at that
    // moment, and then the program is killed or resumed, or, as the call returns, told that the
    // disk failed.
    struct Stop
    {
        enum class When
        {
            Entry,
            Exit,
        };
        enum class Then
        {
            Kill,
            Resume,
            FailWithEio, // at Exit
        };
        long syscall = 0;
        int nth = 0;
        When when = When::Entry;
        Then then = Then::Kill;
        std::function<void()> meddle = {};
    };

    // As finish, for a traced program, stopped once as `stop` says.
    CliRun finishTraced(const QByteArray& input, const Stop& stop);

private:
    CliRun ended(int status);

    QTemporaryDir m_streams; // outside the folder the tool works in
    pid_t m_pid = -1;
    int m_input = -1;
};
