// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <optional>

// Where the tool's password comes from: never its arguments, which other users can read.
namespace cindral::cli {

// The passwords of one call, as bytes of the Windows-1252 code page.
struct Passwords
{
    QByteArray current;
    QByteArray next; // rekey's new one; empty for the other commands
};

// Writes `prompt` to the terminal `ttyFd`, reads one line there with echo off and gives it
// without its line end. Echo is back on when it returns, and also when a signal ends the
// program while it waits. std::nullopt when `ttyFd` is not a terminal.
[[nodiscard]] std::optional<QByteArray> readHiddenLine(int ttyFd, QByteArrayView prompt);

// The first line of `input` without its line end, LF or CR LF; empty at the end of input.
[[nodiscard]] QByteArray firstLine(QIODevice& input);

} // namespace cindral::cli
