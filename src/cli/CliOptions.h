// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>

namespace cindral::cli {

enum class Command
{
    Encrypt,
    Decrypt,
    Cat,    // the decrypted text to standard output, the file only read
    Status, // whether the file is encrypted, without a password
    Rekey,  // encrypted anew under a new password
};

enum class PasswordSource
{
    Terminal,      // typed without echo on the controlling terminal
    StandardInput, // the first line of standard input, and the second for rekey's new one
};

enum class Verbosity
{
    Quiet,
    Stages, // the operation's stage texts on standard error
};

enum class Recursion
{
    Off,         // a folder is a file error, as any other file that is not a text file
    IntoFolders, // a folder stands for every regular file below it
};

// What one call of the tool is to do, once its arguments have been accepted.
struct CliOptions
{
    Command command = Command::Encrypt;
    QByteArrayList files; // as given: a name need not be UTF-8
    PasswordSource passwordSource = PasswordSource::Terminal;
    Verbosity verbosity = Verbosity::Quiet;
    Recursion recursion = Recursion::Off;
};

} // namespace cindral::cli
