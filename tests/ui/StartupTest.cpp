#include "UiTestSupport.h"
#include "ui/Form2.h"
#include "ui/Program.h"
#include "ui/frmSplash.h"

#include <QPointer>
#include <QTimer>
#include <functional>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

constexpr int endedByWatchdog = 99;

// Runs the program as main does, running the steps from its event loop 20 ms apart so that what
// one set off has happened before the next looks; a watchdog ends a program that hangs.
int runProgramWith(QList<std::function<void()>> steps)
{
    QTimer stepper;
    QTimer::singleShot(10000, &stepper, [] { QCoreApplication::exit(endedByWatchdog); });
    QObject::connect(&stepper, &QTimer::timeout, [&steps] {
        if (!steps.isEmpty())
            steps.takeFirst()();
    });
    stepper.start(20);
    return runProgram();
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(visibleTopLevelWindows(), QStringList()); }

    void exitEndsTheProgramAtOnceWithTheSplashUp()
    {
        bool splashWasUp = false;
        const int exitCode = runProgramWith({[&] {
            splashWasUp = topLevel<frmSplash>() != nullptr && topLevel<frmSplash>()->isVisible();
            // Exit by its access key, which presses the button as a click would.
            QApplication::setActiveWindow(topLevel<Form2>());
            QTest::keyClick(topLevel<Form2>(), Qt::Key_X, Qt::AltModifier);
        }});
        QVERIFY(splashWasUp);
        QCOMPARE(exitCode, 0);
        // The program freed every window on its way out.
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void closingTheMainWindowFirstEndsTheProgramWhenTheSplashCloses()
    {
        QPointer<Form2> form2;
        bool runningWithSplashAlone = false;
        const int exitCode = runProgramWith({
            [&] { (form2 = topLevel<Form2>())->close(); },
            [&] {
                runningWithSplashAlone =
                    (!form2 || !form2->isVisible()) && topLevel<frmSplash>()->isVisible();
                // A click on the splash window's bare surface closes it.
                QTest::mouseClick(topLevel<frmSplash>()->windowHandle(), Qt::LeftButton, {},
                                  QPoint(300, 30));
            },
        });
        QVERIFY(runningWithSplashAlone);
        QCOMPARE(exitCode, 0);
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
