// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/CliOptions.h"

#include <QByteArrayList>
#include <QString>

namespace cindral::cli {

// The outcome of reading the arguments: work to run, or a text to print instead.
struct CommandLine
{
    enum class Request
    {
        Run,
        Help,
        Version,
        UsageError,
    };

    Request request = Request::UsageError;
    CliOptions options;
    QString text; // the help or version text, or what is wrong with the arguments
};

// `arguments` are the program's arguments as it was given them, its name first. File names keep
// their bytes.
[[nodiscard]] CommandLine parseCommandLine(const QByteArrayList& arguments);

} // namespace cindral::cli
