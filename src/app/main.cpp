#include "ui/PlatformChoice.h"
#include "ui/Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    cindral::ui::choosePlatform();
    QApplication app(argc, argv);
    // The splash window is the start-up window: it brings up the main window.
    return cindral::ui::runProgram();
}
