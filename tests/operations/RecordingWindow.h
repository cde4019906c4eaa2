// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/WindowServices.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <utility>

// A window that records every service an operation asks of it as a readable line ("busy",
// "show", "stage:...", "box:48:Title:Prompt"), so tests compare whole sequences.
class RecordingWindow : public cindral::WindowServices
{
public:
    QByteArray password;
    QString fileBox;
    QByteArray chosenFile;
    std::exception_ptr chosenFileFailure; // thrown when the chosen file name is asked for
    QStringList calls;
    QString reason;                // of the last failure box
    std::function<void()> onPiece; // runs once, after the first piece of the new text

    RecordingWindow() = default;
    // Given the password and the file at `path`, chosen in the dialog and named in the file box.
    RecordingWindow(const QString& path, QByteArray password)
        : password(std::move(password)), fileBox(path), chosenFile(QFile::encodeName(path))
    {}

    [[nodiscard]] QByteArray passwordText() const override { return password; }
    [[nodiscard]] QString fileBoxText() const override { return fileBox; }
    [[nodiscard]] QByteArray chosenFileName() const override
    {
        if (chosenFileFailure)
            std::rethrow_exception(chosenFileFailure);
        return chosenFile;
    }

    void pointerBusy() override { calls << QStringLiteral("busy"); }
    void pointerNormal() override { calls << QStringLiteral("normal"); }
    void showStatusBar() override { calls << QStringLiteral("show"); }
    void hideStatusBar() override { calls << QStringLiteral("hide"); }
    void setStageText(const QString& text) override { calls << QStringLiteral("stage:") + text; }
    void focusPassword() override { calls << QStringLiteral("focus"); }
    void selectWholePassword() override { calls << QStringLiteral("select"); }
    void messageBox(const QString& prompt, const QString& title, cindral::MessageIcon icon) override
    {
        calls << QStringLiteral("box:%1:%2:%3").arg(static_cast<int>(icon)).arg(title, prompt);
    }
    void failureBox(const QString& prompt, const QString& title, cindral::MessageIcon icon,
                    const QString& why) override
    {
        reason = why;
        messageBox(prompt, title, icon);
    }
    void keptTexts(const QStringList& lines) override
    {
        calls << QStringLiteral("kept:") + lines.join(QLatin1Char('/'));
    }
    void progress(qint64, qint64) override
    {
        if (onPiece)
            std::exchange(onPiece, {})();
    }
};
