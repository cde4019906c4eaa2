// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <sys/resource.h>

// How a run of cindral-cli ended: its exit status (128 + the signal that ended it, if one did),
// what it wrote and the peak of its resident memory.
struct CliRun
{
    int status = 0;
    std::string out;
    std::string err;
    long peakResidentKiB = 0;
};

// cindral-cli run as a user would run it: its arguments as raw bytes, in a session of its own
// whose terminal is the one named or none (so it can never wait for a typed password), in a given
// folder, with an optional file-size limit. Standard output and error go to files, so nothing can
// block.
class CliProcess
{
public:
    CliProcess(const QString& folder, const QByteArrayList& arguments,
               rlim_t fileSizeLimit = RLIM_INFINITY, const QByteArray& terminal = {});
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // Known only once the program has been executed, never while the child is still the test.
    [[nodiscard]] pid_t pid() const { return m_pid; }

    // Writes `input` to standard input, closes it and waits for the end, killing a program still
    // running after thirty seconds.
    CliRun finish(const QByteArray& input);

private:
    QTemporaryDir m_streams; // outside the folder the tool works in
    pid_t m_pid = -1;
    int m_input = -1;
};
