#include "UiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/MessageBox.h"
#include "ui/Program.h"
#include "ui/SplashWindow.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <sys/resource.h>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

constexpr int endedByWatchdog = 99;

// Runs the program as main does, with `arguments`, running the steps from its event loop 20 ms
// apart once the main window is up, so that what one set off has happened before the next
// looks; a watchdog ends a program that hangs.
int runProgramWith(QList<std::function<void()>> steps, const QByteArrayList& arguments = {})
{
    QTimer stepper;
    QTimer::singleShot(10000, &stepper, [] { QCoreApplication::exit(endedByWatchdog); });
    bool mainWindowUp = false;
    QObject::connect(&stepper, &QTimer::timeout, [&steps, &mainWindowUp] {
        mainWindowUp = mainWindowUp || topLevel<MainWindow>() != nullptr;
        if (!steps.isEmpty() && mainWindowUp)
            steps.takeFirst()();
    });
    stepper.start(20);
    return runProgram(arguments);
}

void pressExit()
{
    QApplication::setActiveWindow(topLevel<MainWindow>());
    QTest::keyClick(topLevel<MainWindow>(), Qt::Key_X, Qt::AltModifier);
}

QString fileBoxText()
{
    return topLevel<MainWindow>()->findChild<QLineEdit*>(QStringLiteral("Text2"))->text();
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void cleanup() { QCOMPARE(visibleTopLevelWindows(), QStringList()); }

    void exitEndsTheProgramAtOnceWithTheSplashUp()
    {
        bool splashWasUp = false;
        const int exitCode = runProgramWith({[&] {
            splashWasUp =
                topLevel<SplashWindow>() != nullptr && topLevel<SplashWindow>()->isVisible();
            // Exit by its access key, which presses the button as a click would.
            pressExit();
        }});
        QVERIFY(splashWasUp);
        QCOMPARE(exitCode, 0);
        // The program freed every window on its way out.
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void closingTheMainWindowFirstEndsTheProgramWhenTheSplashCloses()
    {
        QPointer<MainWindow> form;
        bool runningWithSplashAlone = false;
        const int exitCode = runProgramWith({
            [&] { (form = topLevel<MainWindow>())->close(); },
            [&] {
                runningWithSplashAlone =
                    (!form || !form->isVisible()) && topLevel<SplashWindow>()->isVisible();
                // A click on the splash window's bare surface closes it.
                QTest::mouseClick(topLevel<SplashWindow>()->windowHandle(), Qt::LeftButton, {},
                                  QPoint(300, 30));
            },
        });
        QVERIFY(runningWithSplashAlone);
        QCOMPARE(exitCode, 0);
    }

    void aFileNamedOnTheCommandLineStartsChosen_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("relative") << QByteArrayList{"notes.txt"} << "notes.txt";
        QTest::newRow("after --") << QByteArrayList{"--", "-notes.txt"} << "-notes.txt";
        QTest::newRow("none") << QByteArrayList{} << QString();
    }

    void aFileNamedOnTheCommandLineStartsChosen()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QString, chosen);
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QString shown;
        QByteArray taken;
        const int exitCode = runProgramWith({[&] {
                                                shown = fileBoxText();
                                                taken = topLevel<MainWindow>()->chosenFileName();
                                                pressExit();
                                            }},
                                            arguments);
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(exitCode, 0);
        const QString expected = chosen.isEmpty() ? chosen : m_dir.filePath(chosen);
        QCOMPARE(shown, expected);
        QCOMPARE(taken, QFile::encodeName(expected));
    }

    void aStrayOptionOrASecondFileIsRefusedWithoutAWindow_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::newRow("option") << QByteArrayList{"--open", "notes.txt"};
        QTest::newRow("two files") << QByteArrayList{"a.txt", "b.txt"};
    }

    void aStrayOptionOrASecondFileIsRefusedWithoutAWindow()
    {
        QFETCH(QByteArrayList, arguments);
        QCOMPARE(runProgram(arguments), 2);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void helpAndVersionAnswerWithoutADisplay_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("--help") << "--help"
                                << "Usage: cindral [FILE]";
        QTest::newRow("-h") << "-h"
                            << "Usage: cindral [FILE]";
        QTest::newRow("--version") << "--version"
                                   << "cindral 1.0";
    }

    void helpAndVersionAnswerWithoutADisplay()
    {
        QFETCH(QString, argument);
        QFETCH(QString, firstLine);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(CINDRAL_PROGRAM_DIR "/cindral"), {argument});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()).section(u'\n', 0, 0),
                 firstLine);
    }

    void aWriteBeyondTheFileSizeLimitFailsInABoxAndKeepsTheFile()
    {
        const QString path = m_dir.filePath("big.txt");
        const QByteArray text(64 * 1024, 'a');
        QVERIFY(writeBytes(path, text));
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
        const int exitCode =
            runProgramWith({[] {
                                auto* password =
                                    topLevel<MainWindow>()->findChild<QLineEdit*>("Text1");
                                password->setFocus();
                                QTest::keyClicks(password, QStringLiteral("secret"));
                            },
                            [&] {
                                rlimit small = original;
                                small.rlim_cur = 4096;
                                QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
                                MessageBox::setNextAnswer(QMessageBox::Ok);
                                topLevel<MainWindow>()->findChild<QPushButton*>("encrip")->click();
                                QCOMPARE(setrlimit(RLIMIT_FSIZE, &original), 0);
                            },
                            pressExit},
                           {QFile::encodeName(path)});
        QCOMPARE(exitCode, 0);
        const QList<MessageBox::Shown> boxes = MessageBox::takeAnswered();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.constFirst().title, QStringLiteral("Program Error"));
        QCOMPARE(boxes.constFirst().prompt,
                 QStringLiteral("An internal error has occured in the program"));
        QVERIFY(readBytes(path) == text);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList("big.txt"));
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
