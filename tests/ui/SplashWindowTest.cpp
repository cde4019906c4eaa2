#include "ui/SplashWindow.h"

#include "UiTestSupport.h"
#include "ui/MainWindow.h"

#include <QImageReader>
#include <QMovie>
#include <QPointer>
#include <QTimer>

using namespace cindral::ui;
using namespace cindral::ui::test;

class SplashWindowTest : public QObject
{
    Q_OBJECT

private:
    QPointer<SplashWindow> m_splash;

    template <typename Control = QWidget> [[nodiscard]] Control* control(const QString& name) const
    {
        return m_splash->findChild<Control*>(name);
    }

    // Waits until the splash is up in front of the main window behind it.
    [[nodiscard]] static bool upInFront()
    {
        return QTest::qWaitFor([] {
            return topLevel<MainWindow>() != nullptr && topLevel<MainWindow>()->isVisible() &&
                   QApplication::activeWindow() == topLevel<SplashWindow>();
        });
    }

private slots:
    // Each test starts with the splash window just shown, as the program shows it.
    void init()
    {
        QVERIFY(topLevel<MainWindow>() == nullptr);
        m_splash = new SplashWindow();
        m_splash->show();
    }

    void cleanup()
    {
        delete m_splash.data();
        delete topLevel<MainWindow>();
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void startsInFrontOfTheReadyMainWindow()
    {
        QVERIFY(upInFront());
        const MainWindow* form = topLevel<MainWindow>();
        QCOMPARE(form->focusWidget(), form->findChild<QWidget*>("Text1"));
        // The animation leads the tab order, so no caret shows in the introduction.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("AniGIF1"));
        QCOMPARE(control<QLabel>("AniGIF1")->movie()->state(), QMovie::Running);
        const auto* timer = control<QTimer>("Timer1");
        QVERIFY(timer->isActive() && timer->interval() == 5000);
        // A coarse timer may fire a twentieth early.
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QCOMPARE(unnamed(*m_splash,
                         {"AniGIF1", "Text1", "Label1", "Label5", "Label6", "Label4", "Label3"}),
                 QStringList());
    }

    void everyTextFitsItsBox() { QCOMPARE(misfits(*m_splash), QStringList()); }

    void mainWindowIsUpBeforeTheSplashCloses()
    {
        // Closed by a key before it was ever drawn.
        QTest::keyClick(m_splash, Qt::Key_A);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_splash.isNull());
        QCOMPARE(visibleTopLevelWindows(), QStringList("cindral::ui::MainWindow"));
    }

    void firstTimerTickClosesAndUnloadsIt()
    {
        QVERIFY(upInFront());
        control<QTimer>("Timer1")->setInterval(1);
        QTRY_VERIFY(m_splash.isNull());
        QCOMPARE(visibleTopLevelWindows(), QStringList("cindral::ui::MainWindow"));
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
        QVERIFY(upInFront());
        const QPoint where = name.isEmpty() ? surface : control(name)->geometry().center();
        QTest::mouseClick(m_splash->windowHandle(), Qt::LeftButton, {}, where);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m_splash.isNull(), name.isEmpty());
        QVERIFY(topLevel<MainWindow>()->isVisible());
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
        QVERIFY(upInFront());
        const QPointer<QTimer> timer1 = control<QTimer>("Timer1");
        if (focus.isEmpty())
            QApplication::focusWidget()->clearFocus();
        else
            control(focus)->setFocus();
        const QString introduction = control<QPlainTextEdit>("Text1")->toPlainText();

        QTest::keyClick(m_splash->windowHandle(), Qt::Key(key));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QCOMPARE(m_splash.isNull(), closes);
        // Unloading takes the timer with it: nothing is left to fire at the five-second mark.
        QCOMPARE(timer1.isNull(), closes);
        if (!closes)
            QCOMPARE(control<QPlainTextEdit>("Text1")->toPlainText(), introduction);
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

QTEST_MAIN(SplashWindowTest)
#include "SplashWindowTest.moc"
