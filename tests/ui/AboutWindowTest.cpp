// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AboutWindow.h"

#include "WindowTest.h"
#include "ui/SplashWindow.h"

#include <QAction>
#include <QTimer>
#include <functional>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

// Chooses About in the main window's menu bar and runs `whileOpen` on the About window once it
// is up; returns whether it was up, after it has closed, closing it if `whileOpen` did not.
bool openAbout(QWidget& form,
               const std::function<void(AboutWindow&, QPlainTextEdit& credits)>& whileOpen)
{
    bool seen = false;
    QTimer::singleShot(0, &form, [&] {
        if (auto* about = qobject_cast<AboutWindow*>(QApplication::activeModalWidget())) {
            seen = true;
            QApplication::setActiveWindow(about);
            whileOpen(*about, *about->findChild<QPlainTextEdit*>(QStringLiteral("Text1")));
            if (about->isVisible())
                about->reject();
        }
    });
    form.findChild<QAction*>(QStringLiteral("abt"))->trigger();
    return seen && form.findChildren<AboutWindow*>().isEmpty();
}

} // namespace

class AboutWindowTest : public WindowTest
{
    Q_OBJECT

protected:
    void open() override
    {
        m_window = new MainWindow();
        QVERIFY(showActive(*m_window));
    }

private slots:
    void opensModallyClosesOnItsKeysAndComesBackFresh()
    {
        QString original;
        // The credits are for reading: Enter reaches OK and Tab moves on, wherever the focus.
        for (const auto& [focus, keys, focusAfter] : {std::tuple{"cmdOK", "Esc", ""},
                                                      {"cmdOK", "Alt+O", ""},
                                                      {"Text1", "Enter", ""},
                                                      {"Text1", "Tab", "cmdOK"},
                                                      {"Text1", "A", "Text1"}}) {
            QVERIFY(openAbout(*m_window, [&](AboutWindow& about, QPlainTextEdit& credits) {
                QVERIFY(about.isModal() && about.parentWidget() == m_window);
                // Each opening shows the credits afresh, whatever became of them the last time.
                if (original.isEmpty())
                    original = credits.toPlainText();
                QCOMPARE(credits.toPlainText(), original);
                if (focus == credits.objectName())
                    QTest::mouseClick(credits.viewport(), Qt::LeftButton, {}, {20, 5});
                QCOMPARE(about.focusWidget()->objectName(), QLatin1String(focus));
                QTest::keySequence(about.focusWidget(), QKeySequence(keys));
                QVERIFY2(QTest::qWaitFor([&] { return about.isVisible() == (*focusAfter != 0); }),
                         keys);
                if (*focusAfter != 0)
                    QCOMPARE(about.focusWidget()->objectName(), QLatin1String(focusAfter));
                QCOMPARE(credits.toPlainText(), original);
                credits.setPlainText(QStringLiteral("scribbled over"));
            }));
        }
    }

    void everyTextFitsItsBoxAndTheRightsMatchTheSplash()
    {
        auto* splash = new SplashWindow();
        splash->show();
        const QString splashRights = splash->findChild<QLabel*>(QStringLiteral("Label3"))->text();
        delete splash;
        QVERIFY(openAbout(*m_window, [&](AboutWindow& about, QPlainTextEdit&) {
            QCOMPARE(clippedTexts(about), QStringList());
            for (const char* name :
                 {"cmdOK", "Text1", "Image1", "lblTitle", "lblVersion", "lblDescription", "Label3"})
                QVERIFY2(!spoken(about.findChild<QWidget*>(name)).trimmed().isEmpty(), name);
            QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label3"))->text(), splashRights);
            // Sharp at any density: the picture has a pixel for each of its box's.
            const auto* picture = about.findChild<QLabel*>(QStringLiteral("Image1"));
            QVERIFY(picture->pixmap().width() >= picture->width() * about.devicePixelRatioF());
        }));
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
