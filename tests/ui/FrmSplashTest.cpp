#include "ui/frmSplash.h"

#include "ui/SplashTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

using namespace cindral::ui;
using cindral::ui::test::mainWindow;

namespace {

// Notes whether the main window was up, with the focus in its password box, when the splash
// window was shown.
class ShowSnapshot : public QObject
{
public:
    bool mainWindowReady = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            const Form2* form2 = mainWindow();
            mainWindowReady = form2 != nullptr && form2->isVisible() &&
                              form2->focusWidget()->objectName() == QStringLiteral("Text1");
        }
        return QObject::eventFilter(watched, event);
    }
};

// A splash window shown the way the program starts it, with the main window it brought up;
// whatever of them is still alive goes at the end of the test.
struct Started
{
    QPointer<frmSplash> splash = new frmSplash();
    QPointer<Form2> form2;

    Started()
    {
        splash->show();
        if (!QTest::qWaitForWindowActive(splash))
            qWarning("the splash window did not become active");
        form2 = mainWindow();
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    ~Started()
    {
        delete splash;
        delete form2;
    }

    template <typename Control = QWidget> [[nodiscard]] Control* control(const char* name) const
    {
        return splash->findChild<Control*>(QLatin1String(name));
    }
};

QString expectedIntroduction(const QString& newLine = QStringLiteral("\r\n"))
{
    const QStringList lines{QStringLiteral("Move to Cindral "),
                            QStringLiteral("and"),
                            QString(24, u' '),
                            QStringLiteral("* Encrypt many file "),
                            QStringLiteral("formats with "),
                            QStringLiteral("Password "),
                            QStringLiteral("Protection."),
                            QString(5, u' '),
                            QStringLiteral("*Decrypt your files "),
                            QStringLiteral("with your Password.")};
    return lines.join(newLine) + newLine;
}

} // namespace

class FrmSplashTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void startUpBringsUpMainWindowBeforeShowingSplashInFront();
    void firstTimerTickClosesAndUnloadsSplash();
    void windowAndControlsFollowTheirDesign();
    void everyTextShowsWholeInItsBox();
    void clickOnBareSurfaceOnlyCloses_data();
    void clickOnBareSurfaceOnlyCloses();
    void characterKeyOnlyCloses_data();
    void characterKeyOnlyCloses();
    void mainWindowTakesInputWhileSplashShows();
    void animationIsTenFramesOf150MsLoopingForever();
};

void FrmSplashTest::cleanup()
{
    const QStringList left = test::takeLeftoverWindows();
    QVERIFY2(left.isEmpty(), qPrintable(QStringLiteral("windows left: ") + left.join(u' ')));
}

void FrmSplashTest::startUpBringsUpMainWindowBeforeShowingSplashInFront()
{
    auto* splash = new frmSplash();
    auto* timer1 = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    // Creating the window loads nothing yet.
    QVERIFY(mainWindow() == nullptr);
    QVERIFY(!timer1->isActive());

    ShowSnapshot snapshot;
    splash->installEventFilter(&snapshot);
    splash->show();
    QVERIFY(QTest::qWaitForWindowActive(splash));
    splash->removeEventFilter(&snapshot);

    QVERIFY(snapshot.mainWindowReady);
    QCOMPARE(QApplication::activeWindow(), splash);
    // The animation comes first in the tab order: no caret shows in the text box.
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("AniGIF1"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY((splash->geometry().center() - screen.center()).manhattanLength() <= 1);
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("AniGIF1"))->movie()->state(),
             QMovie::Running);
    QCOMPARE(timer1->interval(), 5000);
    QVERIFY(timer1->isActive());
    delete splash;
    delete mainWindow();
}

void FrmSplashTest::firstTimerTickClosesAndUnloadsSplash()
{
    const Started started;
    started.control<QTimer>("Timer1")->setInterval(1);

    QTRY_VERIFY(started.splash.isNull());
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{started.form2});
    QVERIFY(started.form2->isVisible());
}

void FrmSplashTest::windowAndControlsFollowTheirDesign()
{
    const Started started;
    QCOMPARE(started.splash->size(), QSize(367, 243));
    QCOMPARE(started.splash->windowFlags(), Qt::Tool | Qt::FramelessWindowHint);
    QVERIFY(!started.splash->isModal());
    QCOMPARE(started.splash->cursor().shape(), Qt::BusyCursor);
    QCOMPARE(started.splash->palette().color(QPalette::Window), QColor(0, 0, 0));

    const struct
    {
        const char* name;
        QRect pixels;
        QColor colour;
    } controls[] = {
        {"AniGIF1", {8, 8, 65, 65}, {}},
        {"Label1", {104, 24, 169, 49}, {255, 255, 192}},
        {"Label5", {104, 72, 105, 17}, {255, 255, 192}},
        {"Text1", {232, 96, 121, 137}, {192, 192, 255}},
        {"Label6", {24, 104, 185, 25}, {192, 255, 192}},
        {"Label4", {16, 160, 201, 57}, {255, 0, 0}},
        {"Line1", {8, 216, 216, 1}, {}},
        {"Label2", {0, 224, 17, 17}, {255, 255, 192}},
        {"Label3", {16, 224, 209, 17}, {255, 255, 192}},
    };
    for (const auto& expected : controls) {
        const QWidget* control = started.control(expected.name);
        QVERIFY2(control != nullptr, expected.name);
        QCOMPARE(control->geometry(), expected.pixels);
        const bool textBox = qobject_cast<const QPlainTextEdit*>(control) != nullptr;
        if (expected.colour.isValid())
            QCOMPARE(control->palette().color(textBox ? QPalette::Text : QPalette::WindowText),
                     expected.colour);
        // Only the animation and the text box take the focus.
        QCOMPARE(control->focusPolicy() != Qt::NoFocus,
                 textBox || control == started.control("AniGIF1"));
    }
    QCOMPARE(started.control<QLabel>("Label4")->text(),
             QStringLiteral("Warning: This Software is FREEWARE. It may be used at the sole "
                            "descretion of the user. Read the Readme and Desclaimer before use."));
}

void FrmSplashTest::everyTextShowsWholeInItsBox()
{
    const Started started;
    for (const QLabel* label : started.splash->findChildren<QLabel*>()) {
        if (label->movie() != nullptr)
            continue;
        const QRect box = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = QFontMetrics(label->font()).boundingRect(box, flags, label->text());
        QVERIFY2(box.contains(needed), qPrintable(label->objectName()));
    }

    const auto* text1 = started.control<QPlainTextEdit>("Text1");
    QCOMPARE(frmSplash::introductionText(), expectedIntroduction());
    QCOMPARE(text1->toPlainText(), expectedIntroduction(QStringLiteral("\n")));
    QTextCursor lastLine(text1->document()->findBlockByNumber(9));
    lastLine.movePosition(QTextCursor::EndOfBlock);
    QVERIFY(text1->cursorRect(lastLine).bottom() < text1->viewport()->height());
}

void FrmSplashTest::clickOnBareSurfaceOnlyCloses_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("surface");
    QTest::addColumn<bool>("closes");

    for (const char* name :
         {"AniGIF1", "Label1", "Label5", "Text1", "Label6", "Label4", "Label2", "Label3"})
        QTest::newRow(name) << QString::fromLatin1(name) << QPoint() << false;
    QTest::newRow("surface right of the title") << QString() << QPoint(300, 30) << true;
    QTest::newRow("surface bottom right corner") << QString() << QPoint(362, 240) << true;
    QTest::newRow("rule beside the warning") << QString() << QPoint(220, 216) << true;
}

void FrmSplashTest::clickOnBareSurfaceOnlyCloses()
{
    QFETCH(QString, control);
    QFETCH(QPoint, surface);
    QFETCH(bool, closes);
    const Started started;
    const QPoint where =
        control.isEmpty() ? surface : started.control(qPrintable(control))->geometry().center();

    QTest::mouseClick(started.splash->windowHandle(), Qt::LeftButton, {}, where);
    test::flushDeferredDeletes();

    QCOMPARE(started.splash.isNull(), closes);
    QVERIFY(started.form2->isVisible());
}

void FrmSplashTest::characterKeyOnlyCloses_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("closes");
    const QString text1 = QStringLiteral("Text1");
    const QString animation = QStringLiteral("AniGIF1");
    const QString none;

    QTest::newRow("letter in the text box") << int(Qt::Key_A) << text1 << true;
    QTest::newRow("digit on the animation") << int(Qt::Key_7) << animation << true;
    QTest::newRow("punctuation in the text box") << int(Qt::Key_Comma) << text1 << true;
    QTest::newRow("blank in the text box") << int(Qt::Key_Space) << text1 << true;
    QTest::newRow("Enter in the text box") << int(Qt::Key_Return) << text1 << true;
    QTest::newRow("Escape with no focus") << int(Qt::Key_Escape) << none << true;
    QTest::newRow("Backspace in the text box") << int(Qt::Key_Backspace) << text1 << true;
    QTest::newRow("arrow in the text box") << int(Qt::Key_Down) << text1 << false;
    QTest::newRow("arrow with no focus") << int(Qt::Key_Left) << none << false;
    QTest::newRow("function key in the text box") << int(Qt::Key_F1) << text1 << false;
    QTest::newRow("function key on the animation") << int(Qt::Key_F12) << animation << false;
    QTest::newRow("Shift in the text box") << int(Qt::Key_Shift) << text1 << false;
    QTest::newRow("Tab in the text box") << int(Qt::Key_Tab) << text1 << false;
}

void FrmSplashTest::characterKeyOnlyCloses()
{
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(bool, closes);
    const Started started;
    const QPointer<QTimer> timer1 = started.control<QTimer>("Timer1");
    QWidget* focusWidget = focus.isEmpty() ? nullptr : started.control(qPrintable(focus));
    if (focusWidget != nullptr)
        focusWidget->setFocus();
    else
        QApplication::focusWidget()->clearFocus();
    QCOMPARE(QApplication::focusWidget(), focusWidget);

    QTest::keyClick(started.splash->windowHandle(), Qt::Key(key));
    test::flushDeferredDeletes();

    QCOMPARE(started.splash.isNull(), closes);
    // Unloading takes the timer with it: nothing is left to fire at the five-second mark.
    QCOMPARE(timer1.isNull(), closes);
    if (!closes)
        QCOMPARE(started.control<QPlainTextEdit>("Text1")->toPlainText(),
                 expectedIntroduction(QStringLiteral("\n")));
}

void FrmSplashTest::mainWindowTakesInputWhileSplashShows()
{
    const Started started;
    auto* password = started.form2->findChild<QLineEdit*>(QStringLiteral("Text1"));
    started.form2->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(started.form2));
    QCOMPARE(QApplication::focusWidget(), password);

    QTest::keyClicks(password, QStringLiteral("abc"));

    QCOMPARE(password->text(), QStringLiteral("abc"));
    QVERIFY(started.splash->isVisible());
}

void FrmSplashTest::animationIsTenFramesOf150MsLoopingForever()
{
    const Started started;
    const QString fileName = started.control<QLabel>("AniGIF1")->movie()->fileName();
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(6), QByteArray("GIF89a"));

    QImageReader reader(fileName);
    QCOMPARE(reader.size(), QSize(68, 50));
    QCOMPARE(reader.imageCount(), 10);
    QCOMPARE(reader.loopCount(), -1);
    for (int frame = 0; frame < 10; ++frame) {
        QCOMPARE(reader.read().size(), QSize(68, 50));
        QCOMPARE(reader.nextImageDelay(), 150);
    }
    QVERIFY(!reader.canRead());
}

QTEST_MAIN(FrmSplashTest)
#include "FrmSplashTest.moc"
