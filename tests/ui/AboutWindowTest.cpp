#include "ui/AboutWindow.h"

#include "UiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"

#include <QAction>
#include <QTimer>
#include <functional>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

// Chooses About in the main window's menu bar and runs `whileOpen` on the About window once it
// is up; returns whether it was up, after it has closed, closing it if `whileOpen` did not.
bool openAbout(MainWindow& form,
               const std::function<void(AboutWindow&, QPlainTextEdit& credits)>& whileOpen)
{
    bool seen = false;
    QTimer::singleShot(0, &form, [&] {
        auto* about = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
        seen = about != nullptr;
        if (!seen)
            return;
        QApplication::setActiveWindow(about);
        whileOpen(*about, *about->findChild<QPlainTextEdit*>(QStringLiteral("Text1")));
        if (about->isVisible())
            about->reject();
    });
    form.findChild<QAction*>(QStringLiteral("abt"))->trigger();
    return seen && form.findChildren<AboutWindow*>().isEmpty();
}

} // namespace

class AboutWindowTest : public QObject
{
    Q_OBJECT

private:
    MainWindow* m_form = nullptr;

private slots:
    void init()
    {
        m_form = new MainWindow();
        QVERIFY(showActive(*m_form));
    }

    void cleanup()
    {
        delete m_form;
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void opensModallyClosesOnItsKeysAndComesBackFresh_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("focusAfter"); // empty when the window has closed
        QTest::newRow("Enter") << "cmdOK" << int(Qt::Key_Return) << 0 << QString();
        QTest::newRow("Escape") << "cmdOK" << int(Qt::Key_Escape) << 0 << QString();
        QTest::newRow("Alt+O") << "cmdOK" << int(Qt::Key_O) << int(Qt::AltModifier) << QString();
        // The credits are for reading: Enter reaches OK and Tab moves on, wherever the focus.
        QTest::newRow("Enter in the credits") << "Text1" << int(Qt::Key_Enter) << 0 << QString();
        QTest::newRow("Tab in the credits") << "Text1" << int(Qt::Key_Tab) << 0 << "cmdOK";
        QTest::newRow("letter in the credits") << "Text1" << int(Qt::Key_A) << 0 << "Text1";
    }

    void opensModallyClosesOnItsKeysAndComesBackFresh()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, focusAfter);
        QString original;
        QVERIFY(openAbout(*m_form, [&](AboutWindow& about, QPlainTextEdit& credits) {
            QVERIFY(about.isModal() && about.parentWidget() == m_form);
            QCOMPARE(about.focusWidget()->objectName(), QStringLiteral("cmdOK"));
            original = credits.toPlainText();
            if (focus == credits.objectName())
                QTest::mouseClick(credits.viewport(), Qt::LeftButton, {}, {20, 5});
            QCOMPARE(about.focusWidget()->objectName(), focus);
            QTest::keyClick(about.focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QVERIFY(QTest::qWaitFor([&] { return about.isVisible() == !focusAfter.isEmpty(); }));
            if (!focusAfter.isEmpty())
                QCOMPARE(about.focusWidget()->objectName(), focusAfter);
            QCOMPARE(credits.toPlainText(), original);
            credits.setPlainText(QStringLiteral("scribbled over"));
        }));
        QVERIFY(openAbout(*m_form, [&](AboutWindow&, QPlainTextEdit& credits) {
            QCOMPARE(credits.toPlainText(), original);
        }));
    }

    void everyTextFitsItsBoxAndTheRightsMatchTheSplash()
    {
        auto* splash = new SplashWindow();
        splash->show();
        const QString splashRights = splash->findChild<QLabel*>(QStringLiteral("Label3"))->text();
        delete splash;
        QVERIFY(openAbout(*m_form, [&](AboutWindow& about, QPlainTextEdit&) {
            QCOMPARE(misfits(about), QStringList());
            QCOMPARE(unnamed(about, {"cmdOK", "Text1", "Image1", "lblTitle", "lblVersion",
                                     "lblDescription", "Label3"}),
                     QStringList());
            QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label3"))->text(), splashRights);
        }));
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
