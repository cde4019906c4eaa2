#include "UiTestSupport.h"
#include "ui/Form2.h"
#include "ui/FrmAbout.h"
#include "ui/RegionalFormat.h"
#include "ui/StatusBar.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

// The space a text needs in the label's font, wrapped to the label's width where it wraps.
QSize neededBy(const QLabel& label, const QString& text)
{
    const int flags = label.wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    return QFontMetrics(label.font())
        .boundingRect(QRect(0, 0, label.width(), 10000), flags, text)
        .size();
}

bool fits(const QLabel& label, const QString& text)
{
    const QSize needed = neededBy(label, text);
    return needed.width() <= label.width() && needed.height() <= label.height();
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T* child(const QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no child %s", name);
        return found;
    }

    static void expectLabelsFit(const QWidget& window, const QStringList& names)
    {
        for (const QString& name : names) {
            const auto* label = child<QLabel>(window, qPrintable(name));
            QVERIFY2(fits(*label, label->text()),
                     qPrintable(QStringLiteral("%1: \"%2\" needs %3x%4 in %5x%6")
                                    .arg(name, label->text())
                                    .arg(neededBy(*label, label->text()).width())
                                    .arg(neededBy(*label, label->text()).height())
                                    .arg(label->width())
                                    .arg(label->height())));
        }
    }

    static void expectButtonsFit(const QWidget& window, const QStringList& names)
    {
        for (const QString& name : names) {
            const auto* button = child<QPushButton>(window, qPrintable(name));
            const QFontMetrics metrics(button->font());
            const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
            const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
            const QString shown = QString(button->text()).remove(u'&');
            QVERIFY2(metrics.horizontalAdvance(shown) + 2 * frame + margin <= button->width(),
                     qPrintable(name));
            QVERIFY2(metrics.height() + 2 * frame <= button->height(), qPrintable(name));
        }
    }

private slots:
    void cleanup() { QCOMPARE(visibleTopLevelWindows(), QStringList()); }

    void mainWindowHasAFixedClientArea()
    {
        Form2 form;
        QVERIFY(showActive(form));
        QCOMPARE(form.centralWidget()->size(), QSize(471, 275));
        QCOMPARE(form.centralWidget()->geometry().top(), form.menuBar()->geometry().bottom() + 1);
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form.windowTitle(), QStringLiteral("Cindral 1.0v"));
        QVERIFY(!form.windowIcon().pixmap(32, 32).isNull());
        QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 64));
        for (const char* box : {"Text1", "Text2"}) {
            QCOMPARE(child<QLineEdit>(form, box)->palette().color(QPalette::Base),
                     QApplication::palette().color(QPalette::Base));
        }

        const QPoint offset =
            form.frameGeometry().center() - form.screen()->availableGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }

    void fontsAreTheInstalledStandIns()
    {
        Form2 form;
        FrmAbout about(&form);
        const struct
        {
            const QWidget* control;
            QString family;
        } cases[] = {
            {child<QLabel>(form, "Label1"), QStringLiteral("Liberation Sans")},
            {child<QLabel>(form, "Label7"), QStringLiteral("Comic Neue")},
            {child<QPlainTextEdit>(form, "Text3"), QStringLiteral("Liberation Sans Narrow")},
            {child<QLabel>(about, "Label2"), QStringLiteral("Liberation Serif")},
        };
        for (const auto& c : cases)
            QCOMPARE(QFontInfo(c.control->font()).family(), c.family);
    }

    void mainWindowTextsFitTheirBoxes()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Form2 form;
        QVERIFY(QMetaObject::invokeMethod(&form, "Timer1_Timer"));
        child<QLabel>(form, "Label3")->setText(regional::formatTime(QTime(22, 58, 58), QLocale()));
        QLocale::setDefault(QLocale::system());

        expectLabelsFit(form, {"Label1", "Label2", "Label3", "Label7"});
        expectButtonsFit(form, {"browse", "encrip", "decrip", "exit"});

        auto* panel = child<QLabel>(form, "Panel1");
        panel->setText(QStringLiteral("Getting Data from the File..."));
        expectLabelsFit(form, {"Panel1"});
    }

    void instructionsKeepOneLineEach()
    {
        Form2 form;
        QVERIFY(showActive(form));
        const auto* box = child<QPlainTextEdit>(form, "Text3");
        QCOMPARE(box->toPlainText(), QString(Form2::instructionText).replace("\r\n", "\n"));
        QCOMPARE(box->focusPolicy(), Qt::ClickFocus);
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->frameShape(), QFrame::NoFrame);

        const QTextDocument* document = box->document();
        int textHeight = 0;
        for (int i = 0; i < 3; ++i) {
            const QTextBlock block = document->findBlockByNumber(i);
            QVERIFY(!block.text().isEmpty());
            QCOMPARE(block.layout()->lineCount(), 1);
            textHeight += qRound(document->documentLayout()->blockBoundingRect(block).height());
        }
        QVERIFY(textHeight + 2 * qRound(document->documentMargin()) <= box->height());
    }

    void statusBarRunsAlongTheBottom()
    {
        Form2 form;
        QVERIFY(showActive(form));
        const auto* bar = child<StatusBar>(form, "StatusBar1");
        QVERIFY(!bar->isVisible());
        QCOMPARE(bar->geometry(), QRect(0, 258, 471, 17));
        QCOMPARE(bar->firstPanelText(), QStringLiteral("Please Wait..."));
        QCOMPARE(child<QLabel>(form, "Panel1")->width(), 372);
        QCOMPARE(child<QLabel>(form, "Panel2")->width(), 96);
        QCOMPARE(child<QLabel>(form, "Panel2")->text(), QString());
        QVERIFY(child<QLabel>(form, "Panel2")->geometry().right() < bar->width());
    }

    void aboutWindowTextsFitTheirBoxes()
    {
        Form2 form;
        FrmAbout about(&form);
        expectLabelsFit(about, {"lblTitle", "lblVersion", "lblDescription", "Label2", "Label3"});
        expectButtonsFit(about, {"cmdOK"});

        const auto* credits = child<QPlainTextEdit>(about, "Text1");
        const QFontMetrics metrics(credits->font());
        const QStringList lines = credits->toPlainText().split(u'\n');
        const int margins = 2 * qRound(credits->document()->documentMargin());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) + margins <= credits->width(),
                     qPrintable(line));
        QVERIFY(lines.size() * metrics.lineSpacing() + margins <= credits->height());
    }

    void regionalDateAndTime()
    {
        const struct
        {
            QLocale locale;
            QString separator;
        } dates[] = {
            {QLocale(QLocale::German, QLocale::Germany), QStringLiteral(".")},
            {QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("/")},
            {QLocale(QLocale::Dutch, QLocale::Netherlands), QStringLiteral("-")},
            {QLocale(QLocale::Korean, QLocale::SouthKorea), QStringLiteral(". ")},
            {QLocale::c(), QStringLiteral("/")},
        };
        for (const auto& c : dates) {
            QCOMPARE(regional::dateSeparator(c.locale), c.separator);
            QCOMPARE(regional::formatDate(QDate(2024, 3, 7), c.locale),
                     QStringList({"07", "03", "2024"}).join(c.separator));
        }
        {
            const QTime time(13, 5, 9);
            const QLocale us(QLocale::English, QLocale::UnitedStates);
            const QLocale de(QLocale::German, QLocale::Germany);
            QCOMPARE(regional::formatTime(time, us), QStringLiteral("1:05:09 PM"));
            QCOMPARE(regional::formatTime(time, de), QStringLiteral("13:05:09"));
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
