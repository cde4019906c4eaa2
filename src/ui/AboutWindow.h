// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace cindral::ui {

// The About window: the program's name, version, a line about what it does and the
// developers' credits. Made afresh for every showing and closed by OK, Enter or Escape.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent);

private:
    void buildPicture();
    void buildTexts();
    void buildCredits();
    void buildButtonAndRights();

    [[nodiscard]] QLabel* addLabel(const QString& name, const QString& text);
};

} // namespace cindral::ui
