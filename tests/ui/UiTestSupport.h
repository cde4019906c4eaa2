#pragma once

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

// Small helpers shared by the window tests.
namespace cindral::ui::test {

// Shows a window and waits until it has the keyboard, as a user's window would.
[[nodiscard]] inline bool showActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// The class names of the top-level windows still on screen, after freeing the unloaded ones.
[[nodiscard]] inline QStringList visibleTopLevelWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            names.append(QString::fromLatin1(window->metaObject()->className()));
    }
    return names;
}

// The one top-level window of the given class, or nullptr when there is none.
template <typename Window> [[nodiscard]] Window* topLevel()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Window*>(window))
            return found;
    }
    return nullptr;
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

[[nodiscard]] inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a screen reader is told about a control.
[[nodiscard]] inline QString spoken(QWidget* control, QAccessible::Text kind = QAccessible::Name)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible == nullptr ? QString() : accessible->text(kind);
}

// Each named control has a name for screen readers.
inline void expectNamed(const QWidget& window, const QStringList& controls)
{
    for (const QString& name : controls)
        QVERIFY2(!spoken(window.findChild<QWidget*>(name)).trimmed().isEmpty(), qPrintable(name));
}

// Every label, button and text box shows its whole text in the window's fonts: the text boxes
// one line to each line of text, none of them scrolling.
inline void expectTextsFit(const QWidget& window)
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

} // namespace cindral::ui::test
