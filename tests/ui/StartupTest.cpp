// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowTest.h"
#include "support/ScratchFiles.h"
#include "ui/MessageBox.h"
#include "ui/Program.h"
#include "ui/SplashWindow.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <sys/resource.h>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

constexpr int endedByWatchdog = 99;

// Runs the program as main does, running the steps from its event loop 20 ms apart once the
// main window is up; a watchdog ends a program that hangs.
int runProgramWith(QList<std::function<void()>> steps, const QByteArrayList& arguments = {},
                   const QStringList& keptTexts = {})
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
    return runProgram(arguments, keptTexts);
}

} // namespace

class StartupTest : public WindowTest
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    // A save an earlier run left that cannot be finished is shown in a box once the window is
    // up, naming where its new text is kept.
    void closingTheMainWindowFirstEndsTheProgramWhenTheSplashCloses()
    {
        const QTemporaryDir home;
        const QByteArray state = qgetenv("XDG_STATE_HOME");
        QVERIFY(qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("state"))));
        QVERIFY(QDir().mkpath(home.filePath("state/cindral/recovery")));
        writeBytes(home.filePath("state/cindral/recovery/a1.save"), "no record");
        const QStringList keptTexts = settleInterruptedSaves();
        qputenv("XDG_STATE_HOME", state);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QPointer<MainWindow> form;
        bool runningWithSplashAlone = false;
        const int exitCode =
            runProgramWith({
                               [&] { (form = topLevel<MainWindow>())->close(); },
                               [&] {
                                   runningWithSplashAlone = (!form || !form->isVisible()) &&
                                                            topLevel<SplashWindow>()->isVisible();
                                   QTest::mouseClick(topLevel<SplashWindow>()->windowHandle(),
                                                     Qt::LeftButton, {}, QPoint(300, 30));
                               },
                           },
                           {}, keptTexts);
        QVERIFY(runningWithSplashAlone);
        QCOMPARE(exitCode, 0);
        const QString setAside = home.filePath("state/cindral/recovery/a1");
        QCOMPARE(answeredBoxes(),
                 QStringList("Saves Not Finished | These saves could not be finished. The new text "
                             "of each is kept for you:\n\n" +
                             setAside +
                             ".save: an interrupted save could not be finished: its "
                             "record cannot be read; the new text is kept in " +
                             setAside + ".unreadable | Warning"));
    }

    // Started as a file manager's Open With starts it. A write beyond the file-size limit fails
    // in a box and leaves the file whole; Exit then ends the program, splash or not, before the
    // watchdog would.
    void aNamedFileStartsChosenAndOutlivesTheFileSizeLimit()
    {
        const QByteArray text(64 * 1024, 'a');
        writeBytes(m_dir.filePath("-big.txt"), text);
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
        QString shown;
        bool splashUp = false;
        const auto encryptThenExit = [&] {
            auto* form = topLevel<MainWindow>();
            shown = form->findChild<QLineEdit*>("Text2")->text();
            QTest::keyClicks(form->findChild<QLineEdit*>("Text1"), "secret");
            rlimit small = original;
            small.rlim_cur = 4096;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            MessageBox::setNextAnswer(QMessageBox::Ok);
            form->findChild<QPushButton*>("encrip")->click();
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &original), 0);
            splashUp = topLevel<SplashWindow>() != nullptr && topLevel<SplashWindow>()->isVisible();
            QApplication::setActiveWindow(form);
            QTest::keyClick(form, Qt::Key_X, Qt::AltModifier);
        };
        const int exitCode = runProgramWith({encryptThenExit}, {"--", "-big.txt"});
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(exitCode, 0);
        QVERIFY(splashUp);
        // The program freed every window on its way out.
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QCOMPARE(shown, m_dir.filePath("-big.txt"));
        QCOMPARE(answeredBoxes(), QStringList("Program Error | An internal error has occured in "
                                              "the program | Critical"));
        QVERIFY(readBytes(m_dir.filePath("-big.txt")) == text);
        QCOMPARE(entriesOf(m_dir.path()), QStringList("-big.txt"));
    }

    void aStrayOptionOrASecondFileIsRefusedWithoutAWindow()
    {
        for (const QByteArrayList& arguments :
             {QByteArrayList{"--open", "notes.txt"}, QByteArrayList{"-o"},
              QByteArrayList{"a.txt", "b.txt"}}) {
            QCOMPARE(runProgram(arguments), 2);
            QVERIFY(QApplication::topLevelWidgets().isEmpty());
        }
    }

    // As over ssh: help and version answer, and the window program says in one line why it
    // cannot start, without Qt's abort.
    void withoutADisplayOnlyHelpAndVersionAnswer()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        const QByteArray noDisplay = "cindral: there is no display to show the window on (DISPLAY "
                                     "and WAYLAND_DISPLAY are not set); cindral-cli works without "
                                     "one\n";
        const struct
        {
            QStringList arguments;
            int exitCode;
            QByteArray firstLine{}, error{}; // of standard output, and all standard error
        } rows[] = {
            {.arguments = {"--help"}, .exitCode = 0, .firstLine = "Usage: cindral [FILE]"},
            {.arguments = {"--version"}, .exitCode = 0, .firstLine = "cindral 1.0"},
            {.arguments = {}, .exitCode = 1, .error = noDisplay},
            {.arguments = {"notes.txt"}, .exitCode = 1, .error = noDisplay},
        };
        for (const auto& row : rows) {
            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(CINDRAL_PROGRAM_DIR "/cindral"), row.arguments);
            QVERIFY(program.waitForFinished(30000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), row.exitCode);
            QCOMPARE(program.readAllStandardOutput().split('\n').constFirst(), row.firstLine);
            QCOMPARE(program.readAllStandardError(), row.error);
        }
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
