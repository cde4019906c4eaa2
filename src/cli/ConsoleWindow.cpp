// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ConsoleWindow.h"

#include "files/FileFailure.h"

#include <QFile>
#include <utility>

namespace cindral::cli {

ConsoleWindow::ConsoleWindow(Passwords passwords, FoundFile file, Verbosity verbosity,
                             QIODevice& out, QIODevice& err, Progress progress)
    : m_passwords(std::move(passwords)), m_file(std::move(file)), m_verbosity(verbosity),
      m_out(out), m_err(err)
{
    if (progress == Progress::Shown)
        m_progressBar.emplace(err);
}

void ConsoleWindow::progress(qint64 done, qint64 total)
{
    if (m_progressBar)
        m_progressBar->update(done, total);
}

QString ConsoleWindow::fileBoxText() const
{
    return QFile::decodeName(m_file.path);
}

QByteArray ConsoleWindow::chosenFileName() const
{
    if (!m_file.unlisted.empty())
        throw filefailure::fileError(m_file.unlisted);
    return m_file.path;
}

void ConsoleWindow::setStageText(const QString& text)
{
    if (m_verbosity == Verbosity::Stages)
        writeLine(m_err, text);
}

void ConsoleWindow::messageBox(const QString& prompt, const QString& title, MessageIcon icon)
{
    QIODevice& stream = icon == MessageIcon::Information ? m_out : m_err;
    writeLine(stream, title + QStringLiteral(": ") + prompt);
}

void ConsoleWindow::failureBox(const QString& prompt, const QString& title, MessageIcon icon,
                               const QString& reason)
{
    messageBox(reason.isEmpty() ? prompt : QStringLiteral("%1 (%2)").arg(prompt, reason), title,
               icon);
}

// Each line in one write, so the lines of standard output and standard error keep their order.
void ConsoleWindow::writeLine(QIODevice& stream, const QString& text)
{
    if (m_progressBar)
        m_progressBar->clear();
    stream.write(m_file.path + ": " + text.toLocal8Bit() + '\n');
}

} // namespace cindral::cli
