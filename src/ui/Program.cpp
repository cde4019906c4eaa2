#include "ui/Program.h"

#include "operations/FileSizeSignal.h"
#include "ui/frmSplash.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace cindral::ui {

namespace {

// Exit ends the event loop with the windows still open; they are freed here, each owning window
// with the windows it owns.
void freeWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->parentWidget() == nullptr)
            windows.append(window);
    }
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
}

} // namespace

int runProgram()
{
    ignoreFileSizeSignal();
    (new frmSplash())->show();
    const int exitCode = QApplication::exec();
    freeWindows();
    return exitCode;
}

} // namespace cindral::ui
