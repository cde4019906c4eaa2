#include "UiTestSupport.h"
#include "ui/Form2.h"
#include "ui/Program.h"
#include "ui/frmSplash.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

constexpr int endedByWatchdog = 99;

// Runs the program as main does, with steps run one after the other from its event loop, a
// few milliseconds apart so that what a step set off has happened before the next one looks.
// A program that does not end by itself is ended by a watchdog with its own exit code.
int runProgramWith(QList<std::function<void()>> steps)
{
    QObject lifetime;
    QTimer::singleShot(10000, &lifetime, [] { QCoreApplication::exit(endedByWatchdog); });
    QTimer stepper;
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
            [&] {
                form2 = topLevel<Form2>();
                form2->close();
            },
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
