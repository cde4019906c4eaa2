// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/CliOptions.h"
#include "cli/FoundFiles.h"
#include "cli/PasswordInput.h"
#include "cli/ProgressBar.h"
#include "operations/WindowServices.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <optional>

namespace cindral::cli {

// The window services of one operation on one file, on a terminal: both boxes and the chosen
// file name are the file's path; a message box is one line, "path: Title: Prompt", on standard
// output for information and on standard error otherwise, a failure's reason after it in
// parentheses; there is no pointer or status bar. The path is written as the bytes it was given.
// On a terminal, a bar on standard error shows the progress of a file that takes a while.
class ConsoleWindow : public WindowServices
{
public:
    enum class Progress
    {
        Hidden,
        Shown, // standard error is a terminal
    };

    ConsoleWindow(Passwords passwords, FoundFile file, Verbosity verbosity, QIODevice& out,
                  QIODevice& err, Progress progress);

    [[nodiscard]] QByteArray passwordText() const override { return m_passwords.current; }
    [[nodiscard]] QByteArray newPasswordText() const override { return m_passwords.next; }
    [[nodiscard]] QString fileBoxText() const override;
    [[nodiscard]] QByteArray chosenFileName() const override;

    void setStageText(const QString& text) override;
    void progress(qint64 done, qint64 total) override;
    void messageBox(const QString& prompt, const QString& title, MessageIcon icon) override;
    void failureBox(const QString& prompt, const QString& title, MessageIcon icon,
                    const QString& reason) override;

private:
    void writeLine(QIODevice& stream, const QString& text);

    Passwords m_passwords;
    FoundFile m_file;
    Verbosity m_verbosity;
    QIODevice& m_out;
    QIODevice& m_err;
    std::optional<ProgressBar> m_progressBar;
};

} // namespace cindral::cli
