// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace cindral::ui {

// The main window's status bar: two sunken panels in a bar 255 twips high, placed like any
// control so that showing or hiding it never moves the others.
class StatusBar : public QWidget
{
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent);

    // Replaces the first panel's text and, while the bar is visible, draws it at once: an
    // operation that blocks the event loop still shows each stage.
    void setFirstPanelText(const QString& text);
    [[nodiscard]] QString firstPanelText() const;

    // The share of a long operation's work done ("37%"), drawn with the window's next paint.
    void setSecondPanelText(const QString& text);

    // Shows or hides the bar and draws the change at once. Hiding empties the second panel: the
    // share belongs to the operation that ends with it.
    void showNow();
    void hideNow();

private:
    QLabel* m_first;
    QLabel* m_second;

    [[nodiscard]] QLabel* makePanel(const QString& name);
};

} // namespace cindral::ui
