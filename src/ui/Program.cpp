// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Program.h"

#include "base/SplitArguments.h"
#include "files/FileSizeSignal.h"
#include "files/InterruptedSaves.h"
#include "ui/PlatformChoice.h"
#include "ui/SplashWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <cstdio>
#include <variant>

namespace cindral::ui {

namespace {

constexpr int noDisplay = 1;
constexpr int usageError = 2;

constexpr char helpText[] =
    "Usage: cindral [FILE]\n"
    "Encrypts and decrypts a text file in place under a password.\n"
    "With FILE, the window starts with that file chosen, as if picked with Browse.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -display, ...) are taken too. Without a window: cindral-cli.\n";

constexpr char noDisplayText[] =
    "cindral: there is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not "
    "set); cindral-cli works without one\n";

struct UsageError
{
    QByteArray message;
};

// The one file named, or none; an option other than Qt's or a second file is an error.
std::variant<QByteArray, UsageError> fileArgument(const QByteArrayList& arguments)
{
    const auto [options, files] = splitArguments(arguments);
    if (!options.isEmpty())
        return UsageError{"unknown option " + options.constFirst()};
    if (files.size() > 1)
        return UsageError{"one file at most"};
    return files.value(0);
}

// As Browse gives it: the full path, as text. A name that is not UTF-8 keeps its bytes only as
// far as the text can show them; the operations then refuse it unless it is the one file of
// its folder that shows so.
QString asChosenPath(const QByteArray& file)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(QFile::decodeName(file)));
}

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

// --help and --version, answered on standard output: the exit status, or nothing.
std::optional<int> answerInformationRequest(const QByteArrayList& arguments)
{
    for (const QByteArray& option : splitArguments(arguments).options) {
        if (option == "--help" || option == "-h") {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (option == "--version") {
            std::fputs("cindral 1.0\n", stdout);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

QByteArrayList programArguments(int argc, const char* const argv[])
{
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return arguments;
}

std::optional<int> answerWithoutWindow(const QByteArrayList& arguments)
{
    if (const std::optional<int> status = answerInformationRequest(arguments))
        return status;
    if (!canShowWindows(arguments)) {
        std::fputs(noDisplayText, stderr);
        return noDisplay;
    }
    return std::nullopt;
}

QStringList settleInterruptedSaves()
{
    QStringList keptTexts;
    for (const InterruptedSave& save : finishInterruptedSaves()) {
        const QByteArray line = lineOf(save);
        std::fputs(line.constData(), stderr);
        if (save.outcome == InterruptedSave::Outcome::Kept)
            keptTexts.append(QString::fromLocal8Bit(line.chopped(1)));
    }
    return keptTexts;
}

int runProgram(const QByteArrayList& arguments, const QStringList& keptTexts)
{
    ignoreFileSizeSignal();
    const std::variant<QByteArray, UsageError> file = fileArgument(arguments);
    if (const auto* error = std::get_if<UsageError>(&file)) {
        std::fprintf(stderr, "cindral: %s\nTry 'cindral --help'.\n", error->message.constData());
        return usageError;
    }
    const QByteArray& named = std::get<QByteArray>(file);
    (new SplashWindow(named.isEmpty() ? QString() : asChosenPath(named), keptTexts))->show();
    const int exitCode = QApplication::exec();
    freeWindows();
    return exitCode;
}

} // namespace cindral::ui
