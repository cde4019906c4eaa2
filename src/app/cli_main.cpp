// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CommandLineTool.h"

#include <QByteArrayList>
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cindral-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    // The arguments as given: QCoreApplication::arguments() turns names that are not UTF-8 into
    // other names.
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(argv[i]);
    return cindral::cli::runCommandLineTool(arguments);
}
