// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

class QWidget;

namespace cindral::ui {

// The windows' message boxes: modal to the application, a single OK button, and wide enough
// for their whole title in the desktop's title-bar font, with room for the frame's buttons.
class MessageBox
{
public:
    // What a box showed, as noted for a box answered in advance.
    struct Shown
    {
        QString title;
        QString prompt;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttonCount = 0;
        Qt::WindowModality modality = Qt::NonModal;
        int width = 0;
    };

    // Shows the box and returns when the user has dismissed it.
    static void show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                     const QString& prompt);

    // Answers the next box with `answer` instead of waiting for the user: the box is laid out
    // and shown as usual, noted, and closed at once. Each call answers one box.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // The boxes answered in advance since the last call, oldest first.
    [[nodiscard]] static QList<Shown> takeAnswered();
};

} // namespace cindral::ui
