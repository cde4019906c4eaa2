// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainWindowRun.h"

#include "operations/OperationMessages.h"
#include "ui/MainWindow.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

using cindral::ui::LongWork;
using cindral::ui::MainWindow;
using cindral::ui::MessageBox;

// The main window as the program has it, noting how long its handling of the work's progress
// takes, the event loop it lets run included: what showing the work costs.
class TimedMainWindow final : public MainWindow
{
public:
    TimedMainWindow(LongWork::Clock clock, qsizetype pieceSize, double& progressSeconds)
        : MainWindow(std::move(clock), pieceSize), m_progressSeconds(progressSeconds)
    {}

    void progress(qint64 done, qint64 total) override
    {
        const auto started = std::chrono::steady_clock::now();
        MainWindow::progress(done, total);
        m_progressSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

private:
    double& m_progressSeconds;
};

// The main window as it was before it showed the work: the event loop waits for the end.
class HeldMainWindow final : public MainWindow
{
public:
    using MainWindow::MainWindow;
    void progress(qint64, qint64) override {}
};

// The window as it stands on the screen before the user presses a button: shown and drawn.
void showDrawn(MainWindow& window)
{
    window.show();
    while (!window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

// Presses the button, answering the box its operation shows; that box's title and prompt, or
// what went wrong.
[[nodiscard]] QString press(MainWindow& window, const char* button)
{
    MessageBox::setNextAnswer(QMessageBox::Ok);
    window.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    const QList<MessageBox::Shown> boxes = MessageBox::takeAnswered();
    if (boxes.size() != 1)
        return QStringLiteral("%1 boxes").arg(boxes.size());
    return boxes.front().title + QStringLiteral(": ") + boxes.front().prompt;
}

[[nodiscard]] QString expected(const cindral::MessageBoxText& box)
{
    return box.title.toString() + QStringLiteral(": ") + box.prompt.toString();
}

} // namespace

bool runThroughMainWindow(Operation operation, EventLoop eventLoop, const QByteArray& path,
                          const QByteArray& password, qsizetype pieceSize,
                          const StartClock& startClock, double& progressSeconds)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    // The platform's warnings (no window manager, no runtime folder) say nothing of the run.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", QByteArrayLiteral("default.warning=false"));
    int argc = 1;
    char name[] = "cindral-bench";
    char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);
    const LongWork::Clock clock = LongWork::steadyClock();
    const std::unique_ptr<MainWindow> owned =
        eventLoop == EventLoop::Runs
            ? std::unique_ptr<MainWindow>(
                  std::make_unique<TimedMainWindow>(clock, pieceSize, progressSeconds))
            : std::make_unique<HeldMainWindow>(clock, pieceSize);
    MainWindow& window = *owned;
    window.chooseFile(QFile::decodeName(path));
    showDrawn(window);
    const bool encrypt = operation == Operation::Encrypt;
    const char* button = encrypt ? "encrip" : "decrip";
    // Refused for the empty password first: the status bar and a box have been shown once
    // before the clock starts, as in a program that has run a while.
    QString shown = press(window, button);
    if (shown == expected(cindral::messages::noPassword)) {
        window.findChild<QLineEdit*>(QStringLiteral("Text1"))
            ->setText(QString::fromLatin1(password));
        progressSeconds = 0;
        startClock();
        shown = press(window, button);
        if (shown ==
            expected(encrypt ? cindral::messages::encrypted : cindral::messages::decrypted))
            return true;
    }
    std::fprintf(stderr, "%s\n", qPrintable(shown));
    return false;
}
