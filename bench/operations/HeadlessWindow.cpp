// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeadlessWindow.h"

#include <QFile>
#include <utility>

HeadlessWindow::HeadlessWindow(QByteArray password, QByteArray path)
    : m_password(std::move(password)), m_path(std::move(path))
{}

QString HeadlessWindow::fileBoxText() const
{
    return QFile::decodeName(m_path);
}

void HeadlessWindow::messageBox(const QString& prompt, const QString& title, cindral::MessageIcon)
{
    m_boxes.push_back({title, prompt});
}

void HeadlessWindow::failureBox(const QString& prompt, const QString& title,
                                cindral::MessageIcon icon, const QString& reason)
{
    messageBox(reason.isEmpty() ? prompt : QStringLiteral("%1 (%2)").arg(prompt, reason), title,
               icon);
}

bool HeadlessWindow::showedOnly(QStringView title) const
{
    return m_boxes.size() == 1 && m_boxes.front().title == title;
}
