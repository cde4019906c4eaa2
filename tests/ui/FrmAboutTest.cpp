#include "ui/FrmAbout.h"

#include "UiTestSupport.h"
#include "ui/Form2.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
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

    // Chooses About in the menu bar and runs `whileOpen` on the About window while it is up;
    // returns once the window has closed.
    void openAbout(const std::function<void(FrmAbout&)>& whileOpen)
    {
        bool seen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* about = qobject_cast<FrmAbout*>(QApplication::activeModalWidget());
            if (about == nullptr || seen)
                return;
            seen = true;
            whileOpen(*about);
        });
        poll.start(0);
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

    void opensModallyOverTheMainWindow()
    {
        openAbout([this](FrmAbout& about) {
            QVERIFY(about.isModal());
            QCOMPARE(about.parentWidget(), m_form.data());
            QCOMPARE(about.windowTitle(), QStringLiteral("About Cindral 1.0v"));
            QCOMPARE(about.size(), QSize(282, 250));
            QCOMPARE(about.minimumSize(), about.maximumSize());
            const Qt::WindowFlags flags = about.windowFlags();
            QVERIFY(flags & Qt::Dialog);
            QVERIFY(flags & Qt::WindowCloseButtonHint);
            QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            const QPoint offset = about.geometry().center() - m_form->geometry().center();
            QVERIFY2(offset.manhattanLength() <= 2, "not centred over the main window");
            QCOMPARE(about.focusWidget()->objectName(), QStringLiteral("cmdOK"));
            QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(),
                     QSize(107, 115));
            QTest::keyClick(&about, Qt::Key_Return);
        });
    }

    void escapeClosesItAndTheNextOneIsFresh()
    {
        QPointer<FrmAbout> first;
        QString credits;
        openAbout([&](FrmAbout& about) {
            first = &about;
            auto* text = about.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
            credits = text->toPlainText();
            text->setPlainText(QStringLiteral("scribbled over"));
            QTest::keyClick(&about, Qt::Key_Escape);
        });
        QVERIFY(first.isNull());
        openAbout([&](FrmAbout& about) {
            QCOMPARE(about.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(),
                     credits);
            about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
    }

    void altOPressesOk()
    {
        openAbout([](FrmAbout& about) {
            QApplication::setActiveWindow(&about);
            QTest::keyClick(&about, Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(!about.isVisible());
        });
    }
};

QTEST_MAIN(FrmAboutTest)
#include "FrmAboutTest.moc"
