// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/CliOptions.h"

#include <QByteArray>
#include <QByteArrayList>
#include <string>
#include <vector>

namespace cindral::cli {

// A file to work on, as named or as found below a named folder; or a folder that could not be
// listed, with the reason.
struct FoundFile
{
    QByteArray path;
    std::string unlisted; // empty for a file
};

// The files the operands stand for, in their order. With IntoFolders a folder (or a link to one)
// stands for every regular file below it, at any depth, in byte order of their paths; links
// inside it are neither followed nor taken, nor is anything else that is no regular file.
[[nodiscard]] std::vector<FoundFile> filesToWorkOn(const QByteArrayList& operands,
                                                   Recursion recursion);

} // namespace cindral::cli
