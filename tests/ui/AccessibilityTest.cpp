#include "UiTestSupport.h"
#include "ui/Form2.h"
#include "ui/FrmAbout.h"
#include "ui/frmSplash.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

// What a screen reader is told about a control.
QString spoken(QWidget* control, QAccessible::Text kind = QAccessible::Name)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible == nullptr ? QString() : accessible->text(kind);
}

// Every control that takes the focus, and every named one listed, is named for a screen reader.
void expectNamed(const QWidget& window, const QStringList& informative)
{
    QStringList names = informative;
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus && child->focusProxy() == nullptr &&
            !child->objectName().isEmpty())
            names.append(child->objectName());
    }
    for (const QString& name : names) {
        auto* control = window.findChild<QWidget*>(name);
        QVERIFY2(control != nullptr, qPrintable(name));
        QVERIFY2(!spoken(control).trimmed().isEmpty(), qPrintable(name));
    }
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(visibleTopLevelWindows(), QStringList()); }

    void mainWindowFocusChainIsNamed()
    {
        Form2 form;
        QVERIFY(showActive(form));
        QWidget* const start = QApplication::focusWidget();
        QVERIFY(start != nullptr);
        QStringList visited;
        QWidget* focused = start;
        do {
            QVERIFY2(!spoken(focused).isEmpty(), qPrintable(focused->objectName()));
            visited.append(focused->objectName());
            QTest::keyClick(focused, Qt::Key_Tab);
            focused = QApplication::focusWidget();
        } while (focused != start && visited.size() < 20);
        QCOMPARE(focused, start);
        for (const char* name : {"Text1", "browse", "Text2", "encrip", "decrip", "exit"})
            QVERIFY2(visited.contains(QLatin1String(name)), name);

        // The boxes have names of their own, and the password never reaches a screen reader.
        auto* password = form.findChild<QLineEdit*>(QStringLiteral("Text1"));
        QCOMPARE(spoken(password), QStringLiteral("Password"));
        QCOMPARE(spoken(form.findChild<QLineEdit*>(QStringLiteral("Text2"))),
                 QStringLiteral("File"));
        QTest::keyClicks(password, QStringLiteral("secret"));
        QCOMPARE(password->text(), QStringLiteral("secret"));
        for (const auto kind : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
            QVERIFY(!spoken(password, kind).contains(QStringLiteral("secret")));

        // The clock's text, and so its name, comes with the timer's first tick.
        QVERIFY(QMetaObject::invokeMethod(&form, "Timer1_Timer"));
        expectNamed(form, {"Label2", "Label3", "Text3", "StatusBar1"});
    }

    void aboutWindowControlsAreNamed()
    {
        FrmAbout about(nullptr);
        expectNamed(about, {"Image1", "lblTitle", "lblVersion", "lblDescription", "Label3"});
    }

    void splashControlsAreNamed()
    {
        frmSplash splash;
        expectNamed(splash, {"AniGIF1", "Label1", "Label5", "Label6", "Label4", "Label3"});
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
