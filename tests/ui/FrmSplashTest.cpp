#include "ui/frmSplash.h"

#include "UiTestSupport.h"
#include "ui/Form2.h"

#include <QImageReader>
#include <QMovie>
#include <QPointer>
#include <QTimer>

using namespace cindral::ui;
using namespace cindral::ui::test;

class FrmSplashTest : public QObject
{
    Q_OBJECT

private:
    QPointer<frmSplash> m_splash;
    QPointer<Form2> m_form2;
    bool m_mainWindowReadyAtShow = false;

    template <typename Control = QWidget> [[nodiscard]] Control* control(const QString& name) const
    {
        return m_splash->findChild<Control*>(name);
    }

protected:
    // Notes whether the main window was up, focus in its password box, when the splash showed.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const Form2* form2 = topLevel<Form2>();
        if (watched == m_splash && event->type() == QEvent::Show && form2 != nullptr)
            m_mainWindowReadyAtShow =
                form2->isVisible() && form2->focusWidget() == form2->findChild<QWidget*>("Text1");
        return false;
    }

private slots:
    // Each test starts with the splash window shown as the program shows it.
    void init()
    {
        QVERIFY(topLevel<Form2>() == nullptr);
        m_mainWindowReadyAtShow = false;
        m_splash = new frmSplash();
        m_splash->installEventFilter(this);
        m_splash->show();
        QVERIFY(QTest::qWaitForWindowActive(m_splash));
        m_splash->removeEventFilter(this);
        m_form2 = topLevel<Form2>();
    }

    void cleanup()
    {
        delete m_splash.data();
        delete m_form2.data();
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void startsInFrontOfTheReadyMainWindow()
    {
        QVERIFY(m_mainWindowReadyAtShow);
        QCOMPARE(QApplication::activeWindow(), m_splash);
        // The animation leads the tab order, so no caret shows in the introduction.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("AniGIF1"));
        QCOMPARE(control<QLabel>("AniGIF1")->movie()->state(), QMovie::Running);
        QCOMPARE(control<QTimer>("Timer1")->interval(), 5000);
        QVERIFY(control<QTimer>("Timer1")->isActive());
        expectNamed(*m_splash,
                    {"AniGIF1", "Text1", "Label1", "Label5", "Label6", "Label4", "Label3"});
        expectTextsFit(*m_splash);
    }

    void firstTimerTickClosesAndUnloadsIt()
    {
        control<QTimer>("Timer1")->setInterval(1);
        QTRY_VERIFY(m_splash.isNull());
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{m_form2});
    }

    void onlyAClickOnTheBareSurfaceCloses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("surface");
        for (const char* name :
             {"AniGIF1", "Label1", "Label5", "Text1", "Label6", "Label4", "Label2", "Label3"})
            QTest::newRow(name) << QString::fromLatin1(name) << QPoint();
        QTest::newRow("surface right of the title") << QString() << QPoint(300, 30);
        QTest::newRow("rule beside the warning") << QString() << QPoint(220, 216);
    }

    void onlyAClickOnTheBareSurfaceCloses()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, surface);
        const QPoint where = name.isEmpty() ? surface : control(name)->geometry().center();
        QTest::mouseClick(m_splash->windowHandle(), Qt::LeftButton, {}, where);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m_splash.isNull(), name.isEmpty());
        QVERIFY(m_form2->isVisible());
    }

    void onlyACharacterKeyCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("closes");
        const QString text1 = QStringLiteral("Text1");
        const QString animation = QStringLiteral("AniGIF1");
        QTest::newRow("letter in the text box") << int(Qt::Key_A) << text1 << true;
        QTest::newRow("Enter in the text box") << int(Qt::Key_Return) << text1 << true;
        QTest::newRow("Escape with no focus") << int(Qt::Key_Escape) << QString() << true;
        QTest::newRow("arrow in the text box") << int(Qt::Key_Down) << text1 << false;
        QTest::newRow("function key on the animation") << int(Qt::Key_F1) << animation << false;
        QTest::newRow("Shift in the text box") << int(Qt::Key_Shift) << text1 << false;
    }

    void onlyACharacterKeyCloses()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        QFETCH(bool, closes);
        const QPointer<QTimer> timer1 = control<QTimer>("Timer1");
        if (focus.isEmpty())
            QApplication::focusWidget()->clearFocus();
        else
            control(focus)->setFocus();

        QTest::keyClick(m_splash->windowHandle(), Qt::Key(key));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QCOMPARE(m_splash.isNull(), closes);
        // Unloading takes the timer with it: nothing is left to fire at the five-second mark.
        QCOMPARE(timer1.isNull(), closes);
        if (!closes)
            QCOMPARE(control<QPlainTextEdit>("Text1")->toPlainText(),
                     frmSplash::introductionText().replace(QStringLiteral("\r\n"), "\n"));
    }

    void animationIsTenFramesOf150MsLoopingForever()
    {
        QImageReader reader(control<QLabel>("AniGIF1")->movie()->fileName());
        QCOMPARE(reader.format(), QByteArray("gif"));
        QCOMPARE(reader.imageCount(), 10);
        QCOMPARE(reader.loopCount(), -1);
        for (int frame = 0; frame < 10; ++frame) {
            QCOMPARE(reader.read().size(), QSize(68, 50));
            QCOMPARE(reader.nextImageDelay(), 150);
        }
    }
};

QTEST_MAIN(FrmSplashTest)
#include "FrmSplashTest.moc"
