#include "UiTestSupport.h"
#include "ui/Form2.h"
#include "ui/FrmAbout.h"
#include "ui/frmSplash.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

// Every label, button and text box shows its whole text in the window's fonts: the text boxes
// one line to each line of text, none of them scrolling.
void expectTextsFit(const QWidget& window)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QRect box = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = QFontMetrics(label->font()).boundingRect(box, flags, label->text());
        QVERIFY2(box.contains(needed), qPrintable(label->objectName() + ": " + label->text()));
    }
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        const QFontMetrics metrics(button->font());
        const int frame = 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        const int width = metrics.horizontalAdvance(QString(button->text()).remove(u'&'));
        QVERIFY2(width + frame + margin <= button->width(), qPrintable(button->objectName()));
        QVERIFY2(metrics.height() + frame <= button->height(), qPrintable(button->objectName()));
    }
    for (const QPlainTextEdit* box : window.findChildren<QPlainTextEdit*>()) {
        const QFontMetrics metrics(box->font());
        const int margins = 2 * qRound(box->document()->documentMargin());
        const QStringList lines = box->toPlainText().trimmed().split(u'\n');
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) + margins <= box->contentsRect().width(),
                     qPrintable(box->objectName() + ": " + line));
        QVERIFY2(lines.size() * metrics.lineSpacing() + margins <= box->contentsRect().height(),
                 qPrintable(box->objectName()));
    }
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(visibleTopLevelWindows(), QStringList()); }

    void controlsSitWhereDesigned_data()
    {
        QTest::addColumn<bool>("splash");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("main client area") << false << QString() << QRect(0, 0, 471, 275);
        QTest::newRow("main Text1") << false << "Text1" << QRect(184, 80, 201, 25);
        QTest::newRow("main StatusBar1") << false << "StatusBar1" << QRect(0, 258, 471, 17);
        QTest::newRow("splash window") << true << QString() << QRect(0, 0, 367, 243);
        QTest::newRow("splash Text1") << true << "Text1" << QRect(232, 96, 121, 137);
        QTest::newRow("splash Label4") << true << "Label4" << QRect(16, 160, 201, 57);
    }

    void controlsSitWhereDesigned()
    {
        QFETCH(bool, splash);
        QFETCH(QString, control);
        QFETCH(QRect, pixels);
        Form2 form;
        frmSplash intro;
        const QWidget* client = splash ? static_cast<QWidget*>(&intro) : form.centralWidget();
        const QWidget* widget = control.isEmpty() ? client : client->findChild<QWidget*>(control);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget == client ? widget->rect() : widget->geometry(), pixels);
    }

    void everyTextFitsItsBox()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Form2 form;
        QLocale::setDefault(QLocale::system());
        // The widest clock and the longest stage text.
        form.findChild<QLabel*>(QStringLiteral("Label3"))->setText(QStringLiteral("10:58:58 PM"));
        form.setStageText(QStringLiteral("Getting Data from the File..."));
        expectTextsFit(form);
        expectTextsFit(FrmAbout(&form));
        expectTextsFit(frmSplash());
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
