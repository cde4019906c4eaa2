// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "UiTestSupport.h"
#include "ui/MainWindow.h"

#include <QPointer>
#include <QTest>

namespace cindral::ui::test {

// What every window test does around each test function: `open` makes the window the function
// starts with (none by default); afterwards that window and the main window are freed, no
// message box may be left unanswered nor any window left on screen, and the desktop's palette
// is back.
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    virtual void open() {}

    // The control of the window under test that has this object name.
    template <typename Control = QWidget> [[nodiscard]] Control* child(const QString& name) const
    {
        return m_window->findChild<Control*>(name);
    }

    QPointer<QWidget> m_window;

private slots:
    void init() { open(); }

    void cleanup()
    {
        delete m_window.data();
        delete topLevel<MainWindow>();
        QApplication::setPalette(QPalette());
        QCOMPARE(answeredBoxes(), QStringList());
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }
};

} // namespace cindral::ui::test
