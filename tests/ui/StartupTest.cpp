#include "ui/Program.h"
#include "ui/SplashTestSupport.h"
#include "ui/frmSplash.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace cindral::ui;
using cindral::ui::test::mainWindow;
using cindral::ui::test::topLevel;

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
    void cleanup();

    void exitEndsProgramAtOnceWithSplashUp();
    void closingMainWindowFirstEndsProgramWhenSplashCloses();
    void closingMainWindowAfterSplashEndsProgram();
};

void StartupTest::cleanup()
{
    const QStringList left = test::takeLeftoverWindows();
    QVERIFY2(left.isEmpty(), qPrintable(QStringLiteral("windows left: ") + left.join(u' ')));
}

void StartupTest::exitEndsProgramAtOnceWithSplashUp()
{
    bool splashWasUp = false;
    const int exitCode = runProgramWith({[&] {
        splashWasUp = topLevel<frmSplash>() != nullptr && topLevel<frmSplash>()->isVisible();
        QTest::mouseClick(mainWindow()->findChild<QAbstractButton*>(QStringLiteral("exit")),
                          Qt::LeftButton);
    }});

    QVERIFY(splashWasUp);
    QCOMPARE(exitCode, 0);
    // The program freed every window on its way out.
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void StartupTest::closingMainWindowFirstEndsProgramWhenSplashCloses()
{
    QPointer<Form2> form2;
    bool runningWithSplashAlone = false;
    const int exitCode = runProgramWith({
        [&] {
            form2 = mainWindow();
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

void StartupTest::closingMainWindowAfterSplashEndsProgram()
{
    bool runningWithMainWindowAlone = false;
    const int exitCode = runProgramWith({
        [] { topLevel<frmSplash>()->findChild<QTimer*>(QStringLiteral("Timer1"))->setInterval(1); },
        [&] {
            runningWithMainWindowAlone =
                topLevel<frmSplash>() == nullptr && mainWindow()->isVisible();
            mainWindow()->close();
        },
    });

    QVERIFY(runningWithMainWindowAlone);
    QCOMPARE(exitCode, 0);
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
