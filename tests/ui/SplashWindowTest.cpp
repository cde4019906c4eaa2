// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/SplashWindow.h"

#include "WindowTest.h"
#include "ui/AboutWindow.h"
#include "ui/SystemColour.h"

#include <QMovie>
#include <QPointer>
#include <QTimer>

using namespace cindral::ui;
using namespace cindral::ui::test;

class SplashWindowTest : public WindowTest
{
    Q_OBJECT

private:
    // Waits until the splash is up in front of the main window behind it.
    [[nodiscard]] static bool upInFront()
    {
        return QTest::qWaitFor([] {
            return topLevel<MainWindow>() != nullptr && topLevel<MainWindow>()->isVisible() &&
                   QApplication::activeWindow() == topLevel<SplashWindow>();
        });
    }

protected:
    void open() override
    {
        m_window = new SplashWindow();
        m_window->show();
    }

private slots:
    void startsInFrontOfTheReadyMainWindowWithItsAnimationPlaying()
    {
        QVERIFY(upInFront());
        // The animation leads the tab order, so no caret shows in the introduction.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("AniGIF1"));
        QCOMPARE(child<QLabel>("AniGIF1")->movie()->state(), QMovie::Running);
        // A coarse timer may fire a twentieth early.
        QCOMPARE(child<QTimer>("Timer1")->timerType(), Qt::PreciseTimer);
        for (const char* name :
             {"AniGIF1", "Text1", "Label1", "Label5", "Label6", "Label4", "Label3"})
            QVERIFY2(!spoken(child(name)).trimmed().isEmpty(), name);
    }

    void everyTextFitsItsBox() { QCOMPARE(clippedTexts(*m_window), QStringList()); }

    // Under a dark theme and one whose highlighted text is dark, the theme's colour beside the
    // design's stands out as text (4.5) or a line (3) must, and is the theme's own where that does.
    void everyWindowKeepsItsFixedColoursLegible()
    {
        const QColor navy(0, 0, 64);
        QCOMPARE(qRound(contrastRatio(Qt::white, navy) * 100), 1955);
        QPalette darkHighlightedText = QApplication::palette();
        darkHighlightedText.setColor(QPalette::HighlightedText, QColor(10, 10, 10));
        for (const QPalette& palette : {QPalette(QColor(53, 53, 53)), darkHighlightedText}) {
            QApplication::setPalette(palette);
            MainWindow form;
            AboutWindow about(&form);
            SplashWindow splash;
            for (QWidget* window : std::initializer_list<QWidget*>{&form, &about, &splash})
                window->show();
            using enum QPalette::ColorRole;
            using Pair =
                std::tuple<QWidget*, const char*, QPalette::ColorRole, QPalette::ColorRole, QColor>;
            for (const auto& [window, name, shownRole, themeRole, fixed] :
                 {Pair{&form, "Label1", WindowText, HighlightedText, navy},
                  {&form, "Text3", Text, HighlightedText, navy},
                  {&form, "Line1", Window, Button, navy},
                  {&about, "lblDescription", Window, ButtonText, QColor(255, 255, 192)},
                  {&about, "Line1", Window, Button, Qt::black},
                  {&splash, "Line1", Window, Button, Qt::black}}) {
                const QColor shown = window->findChild<QWidget*>(name)->palette().color(shownRole);
                const QColor themed = palette.color(themeRole);
                const double least = themeRole == Button ? 3 : 4.5;
                QVERIFY2(contrastRatio(shown, fixed) >= least, name);
                QVERIFY2((shown == themed) == (contrastRatio(themed, fixed) >= least), name);
            }
        }
    }

    void mainWindowIsUpBeforeTheSplashCloses()
    {
        // Closed by a key before it was ever drawn.
        QTest::keyClick(m_window, Qt::Key_A);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_window.isNull());
        QCOMPARE(visibleTopLevelWindows(), QStringList("cindral::ui::MainWindow"));
    }

    void clicksOnItsControlsAndKeysOfNoCharacterLeaveItUp()
    {
        QVERIFY(upInFront());
        const QString introduction = child<QPlainTextEdit>("Text1")->toPlainText();
        for (const char* name :
             {"AniGIF1", "Label1", "Label5", "Text1", "Label6", "Label4", "Label2", "Label3"}) {
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
                              child(name)->geometry().center());
            QVERIFY2(m_window && m_window->isVisible(), name);
        }
        // Tab last: it moves on from the animation to the introduction.
        for (const auto& [key, focus] : {std::pair{Qt::Key_Down, "Text1"},
                                         {Qt::Key_F1, "AniGIF1"},
                                         {Qt::Key_Shift, "Text1"},
                                         {Qt::Key_Tab, "AniGIF1"}}) {
            child(focus)->setFocus();
            QTest::keyClick(m_window->windowHandle(), key);
            QVERIFY2(m_window && m_window->isVisible(), qPrintable(QKeySequence(key).toString()));
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text1"));
        QCOMPARE(child<QPlainTextEdit>("Text1")->toPlainText(), introduction);
    }

    void closesAndUnloadsOnItsTimerABareClickOrACharacterKey_data()
    {
        QTest::addColumn<QPoint>("click"); // on the bare surface
        QTest::addColumn<int>("key");      // a click or the timer when none
        QTest::addColumn<QString>("focus");
        const QString text1 = QStringLiteral("Text1");
        QTest::newRow("first timer tick") << QPoint() << 0 << QString();
        QTest::newRow("click right of the title") << QPoint(300, 30) << 0 << QString();
        QTest::newRow("click on the rule") << QPoint(220, 216) << 0 << QString();
        QTest::newRow("letter in the text box") << QPoint() << int(Qt::Key_A) << text1;
        QTest::newRow("Enter in the text box") << QPoint() << int(Qt::Key_Return) << text1;
        QTest::newRow("Escape with no focus") << QPoint() << int(Qt::Key_Escape) << QString();
    }

    void closesAndUnloadsOnItsTimerABareClickOrACharacterKey()
    {
        QFETCH(QPoint, click);
        QFETCH(int, key);
        QFETCH(QString, focus);
        QVERIFY(upInFront());
        const QPointer<QTimer> timer1 = child<QTimer>("Timer1");
        if (focus.isEmpty())
            QApplication::focusWidget()->clearFocus();
        else
            child(focus)->setFocus();
        if (key != 0) {
            QTest::keyClick(m_window->windowHandle(), Qt::Key(key));
        } else if (!click.isNull()) {
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, click);
        } else {
            timer1->setInterval(1);
            QTRY_VERIFY(m_window.isNull());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Unloading takes the timer with it: nothing is left to fire at the five-second mark.
        QVERIFY(m_window.isNull() && timer1.isNull());
        QCOMPARE(visibleTopLevelWindows(), QStringList("cindral::ui::MainWindow"));
    }
};

QTEST_MAIN(SplashWindowTest)
#include "SplashWindowTest.moc"
