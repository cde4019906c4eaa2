#include "ui/FrmAbout.h"

#include "UiTestSupport.h"
#include "ui/Form2.h"

#include <QAction>
#include <QTimer>
#include <functional>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

// Chooses About in the main window's menu bar and runs `whileOpen` on the About window once it
// is up; returns when the window has closed, closing it if `whileOpen` did not.
void openAbout(Form2& form,
               const std::function<void(FrmAbout&, QPlainTextEdit& credits)>& whileOpen)
{
    bool seen = false;
    QTimer::singleShot(0, &form, [&] {
        auto* about = qobject_cast<FrmAbout*>(QApplication::activeModalWidget());
        seen = about != nullptr;
        if (!seen)
            return;
        whileOpen(*about, *about->findChild<QPlainTextEdit*>(QStringLiteral("Text1")));
        if (about->isVisible())
            about->reject();
    });
    form.findChild<QAction*>(QStringLiteral("abt"))->trigger();
    QVERIFY(seen);
    QVERIFY(form.findChildren<FrmAbout*>().isEmpty());
}

} // namespace

class FrmAboutTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(visibleTopLevelWindows(), QStringList()); }

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
        Form2 form;
        QVERIFY(showActive(form));
        QString original;
        bool closedByKey = false;
        openAbout(form, [&](FrmAbout& about, QPlainTextEdit& credits) {
            QVERIFY(about.isModal() && about.parentWidget() == &form);
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
        QVERIFY(closedByKey && !original.isEmpty());
        openAbout(form, [&](FrmAbout&, QPlainTextEdit& credits) {
            QCOMPARE(credits.toPlainText(), original);
        });
    }
};

QTEST_MAIN(FrmAboutTest)
#include "FrmAboutTest.moc"
