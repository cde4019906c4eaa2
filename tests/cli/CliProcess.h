// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <sys/resource.h>

// cindral-cli run as a user would run it: its arguments as raw bytes, in a session of its own
// whose terminal is the one named or none (so it can never wait for a typed password), in a given
// folder, with an optional file-size limit. Standard output and error go to files, so nothing can
// block.
class CliProcess
{
public:
    enum class Trace
    {
        No,
        Yes, // stopped at its start, for killAtPwrite
    };

    // `environment` holds "NAME=value" entries that come before the test's own.
    CliProcess(const QString& folder, const QByteArrayList& arguments,
               rlim_t fileSizeLimit = RLIM_INFINITY, const QByteArray& terminal = {},
               const QByteArrayList& environment = {}, Trace trace = Trace::No);
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // Known only once the program has been executed, never while the child is still the test.
    [[nodiscard]] pid_t pid() const { return m_pid; }

    // Writes `input` to standard input, closes it and waits for the end, killing a program still
    // running after thirty seconds. The exit status, or 128 + the signal that ended the program.
    int finish(const QByteArray& input);

    // A traced program, given `input`, is killed as it begins its `count`th write at an offset
    // (pwrite), which the tool makes only to a recovery copy and to a file overwritten in place.
    // The exit status; 128 + SIGKILL when it was killed.
    int killAtPwrite(const QByteArray& input, int count);

    std::string out;
    std::string err;
    long peakResidentKiB = 0;

private:
    QTemporaryDir m_streams; // outside the folder the tool works in
    QByteArrayList m_environment;
    pid_t m_pid = -1;
    int m_input = -1;
};
