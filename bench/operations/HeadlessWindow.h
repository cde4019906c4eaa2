// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/WindowServices.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The window services of one benchmark run: the password as typed, the file's path as both the
// file box and the chosen name; pointer, status bar, stage texts and focus go nowhere. Every
// message box is kept, so the run can tell success from a refusal or a failure.
class HeadlessWindow : public cindral::WindowServices
{
public:
    HeadlessWindow(QByteArray password, QByteArray path);

    [[nodiscard]] QByteArray passwordText() const override { return m_password; }
    [[nodiscard]] QString fileBoxText() const override;
    [[nodiscard]] QByteArray chosenFileName() const override { return m_path; }

    void messageBox(const QString& prompt, const QString& title,
                    cindral::MessageIcon icon) override;
    void failureBox(const QString& prompt, const QString& title, cindral::MessageIcon icon,
                    const QString& reason) override;

    struct ShownBox
    {
        QString title;
        QString text; // the prompt, and a failure's reason in parentheses
    };

    // True when the operation showed exactly one box, and it had this title.
    [[nodiscard]] bool showedOnly(QStringView title) const;
    [[nodiscard]] const std::vector<ShownBox>& boxes() const { return m_boxes; }

private:
    QByteArray m_password;
    QByteArray m_path;
    std::vector<ShownBox> m_boxes;
};
