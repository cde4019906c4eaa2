#pragma once

#include <QCoreApplication>

// QProcess and the help text want an application object; one serves the whole test program.
inline void ensureCoreApplication()
{
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}
