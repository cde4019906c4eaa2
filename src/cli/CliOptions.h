// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>

namespace cindral::cli {

enum class Command
{
    Encrypt,
    Decrypt,
};

enum class PasswordSource
{
    Terminal,      // typed without echo on the controlling terminal
    StandardInput, // the first line of standard input
};

enum class Verbosity
{
    Quiet,
    Stages, // the operation's stage texts on standard error
};

// What one call of the tool is to do, once its arguments have been accepted.
struct CliOptions
{
    Command command = Command::Encrypt;
    QByteArrayList files; // as given: a name need not be UTF-8
    PasswordSource passwordSource = PasswordSource::Terminal;
    Verbosity verbosity = Verbosity::Quiet;
};

} // namespace cindral::cli
