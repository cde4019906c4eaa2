#pragma once

#include <QString>
#include <QWidget>

class QEvent;
class QKeyEvent;
class QLabel;
class QMouseEvent;
class QMovie;
class QObject;
class QPlainTextEdit;
class QShowEvent;
class QTimer;

namespace cindral::ui {

// The start-up window. Showing it the first time loads it: it switches on its close timer and
// brings up the main window, then shows itself in front. It closes, and is freed, on the timer's
// first tick, on a click on its bare surface or on a key that produces a character.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    static constexpr int closeAfterMilliseconds = 5000;

    frmSplash();

    // The text box's introduction: ten lines, each ending in CR LF.
    [[nodiscard]] static QString introductionText();

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Form_Load();
    void Timer1_Timer();
    void Form_Click();
    void Form_KeyPress();

    void buildWindow();
    void buildControls();
    void buildAnimation();
    void buildIntroduction();
    void buildRule();
    void previewKeys();
    void centreOnScreen();
    [[nodiscard]] bool isBareSurface(const QMouseEvent& event) const;

    QTimer* m_timer1 = nullptr;
    QMovie* m_movie = nullptr;
    bool m_loaded = false;
    bool m_pressedOnSurface = false;
};

} // namespace cindral::ui
