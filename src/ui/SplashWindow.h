// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QCloseEvent;
class QEvent;
class QKeyEvent;
class QMouseEvent;
class QMovie;
class QObject;
class QPaintEvent;
class QTimer;

namespace cindral::ui {

// The start-up window. Showing it the first time switches on its close timer and builds its
// controls; once it is drawn it brings up the main window behind it. It closes, and is freed, on
// the timer's first tick, on a click on its bare surface or on a key that produces a character; the
// main window is up before it closes, whichever comes first.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int closeAfterMilliseconds = 5000;

    // `startFile`, when not empty, is chosen in the main window as if picked with Browse; the
    // main window shows `keptTexts`, when there are any, once it is up (see
    // MainWindow::keptTexts).
    explicit SplashWindow(QString startFile = {}, QStringList keptTexts = {});

    void setVisible(bool visible) override;

    // Builds the main window and shows it behind the splash, once.
    void bringUpMainWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildContents();
    void buildControls();
    void buildAnimation();
    void buildIntroduction();
    void buildRule();
    void previewKeys();
    void centreOnScreen();
    [[nodiscard]] bool isBareSurface(const QMouseEvent& event) const;

    QString m_startFile;
    QStringList m_keptTexts;
    QTimer* m_closeTimer = nullptr;
    QMovie* m_movie = nullptr;
    bool m_loaded = false;
    bool m_mainWindowUp = false;
    bool m_painted = false;
    bool m_pressedOnSurface = false;
};

} // namespace cindral::ui
