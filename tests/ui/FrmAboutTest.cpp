#include "ui/FrmAbout.h"

#include "UiTestSupport.h"
#include "ui/Form2.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace cindral::ui;
using namespace cindral::ui::test;

class FrmAboutTest : public QObject
{
    Q_OBJECT

private:
    QPointer<Form2> m_form;

    // Chooses About in the menu bar and runs `whileOpen` on the About window once it is up;
    // returns when the window has closed, closing it if `whileOpen` did not.
    void openAbout(const std::function<void(FrmAbout&, QPlainTextEdit& credits)>& whileOpen)
    {
        bool seen = false;
        QTimer::singleShot(0, m_form, [&] {
            auto* about = qobject_cast<FrmAbout*>(QApplication::activeModalWidget());
            seen = about != nullptr;
            if (!seen)
                return;
            whileOpen(*about, *about->findChild<QPlainTextEdit*>(QStringLiteral("Text1")));
            if (about->isVisible())
                about->reject();
        });
        m_form->findChild<QAction*>(QStringLiteral("abt"))->trigger();
        QVERIFY(seen);
        QVERIFY(m_form->findChildren<FrmAbout*>().isEmpty());
    }

private slots:
    void init()
    {
        m_form = new Form2();
        QVERIFY(showActive(*m_form));
    }

    void cleanup()
    {
        delete m_form.data();
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void opensModallyClosesOnItsKeysAndComesBackFresh_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("Alt+O") << int(Qt::Key_O) << int(Qt::AltModifier);
    }

    void opensModallyClosesOnItsKeysAndComesBackFresh()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QString original;
        bool closedByKey = false;
        openAbout([&](FrmAbout& about, QPlainTextEdit& credits) {
            QVERIFY(about.isModal());
            QCOMPARE(about.parentWidget(), m_form.data());
            QCOMPARE(about.focusWidget()->objectName(), QStringLiteral("cmdOK"));
            expectNamed(about, {"cmdOK", "Text1", "Image1", "lblTitle", "lblVersion",
                                "lblDescription", "Label3"});
            expectTextsFit(about);
            original = credits.toPlainText();
            credits.setPlainText(QStringLiteral("scribbled over"));
            QApplication::setActiveWindow(&about);
            QTest::keyClick(&about, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            closedByKey = QTest::qWaitFor([&about] { return !about.isVisible(); });
        });
        QVERIFY(closedByKey);
        QVERIFY(!original.isEmpty());
        openAbout(
            [&](FrmAbout&, QPlainTextEdit& credits) { QCOMPARE(credits.toPlainText(), original); });
    }
};

QTEST_MAIN(FrmAboutTest)
#include "FrmAboutTest.moc"
