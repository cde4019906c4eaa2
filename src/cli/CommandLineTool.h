// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>

namespace cindral::cli {

// Runs cindral-cli on its arguments as the process was given them (program name first) with the
// process's standard streams and terminal; gives the exit status. A QCoreApplication must exist.
[[nodiscard]] int runCommandLineTool(const QByteArrayList& arguments);

} // namespace cindral::cli
