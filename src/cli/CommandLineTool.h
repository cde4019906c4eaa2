#pragma once

#include <QStringList>

namespace cindral::cli {

// Runs cindral-cli on its arguments (program name first) with the process's standard streams
// and terminal; gives the exit status. A QCoreApplication must exist.
[[nodiscard]] int runCommandLineTool(const QStringList& arguments);

} // namespace cindral::cli
