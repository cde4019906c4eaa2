#include "cli/CommandLineTool.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cindral-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    return cindral::cli::runCommandLineTool(QCoreApplication::arguments());
}
