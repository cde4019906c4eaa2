// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/MessageBox.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

// Helpers shared by the window tests; each returns what it found, for the test to check.
namespace cindral::ui::test {

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

template <typename Window> [[nodiscard]] Window* topLevel()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Window*>(window))
            return found;
    }
    return nullptr;
}

// "title | prompt | icon" of each box answered since the last call, marked unless modal with one
// button and as wide as its bold title beside an icon and three frame buttons of 24 pixels.
[[nodiscard]] inline QStringList answeredBoxes()
{
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    QStringList boxes;
    for (const MessageBox::Shown& box : MessageBox::takeAnswered()) {
        const bool asDesigned =
            box.buttonCount == 1 && box.modality == Qt::ApplicationModal &&
            box.width >= QFontMetrics(titleFont).horizontalAdvance(box.title) + 96;
        boxes.append(QStringLiteral("%1 | %2 | %3%4")
                         .arg(box.title, box.prompt,
                              QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box.icon),
                              asDesigned ? "" : " | not modal, one button and wide"));
    }
    return boxes;
}

// What a screen reader is told about a control.
[[nodiscard]] inline QString spoken(QWidget* control, QAccessible::Text kind = QAccessible::Name)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible == nullptr ? QString() : accessible->text(kind);
}

// The labels, buttons and text boxes that do not show their whole text in their fonts: a
// text box must give one line to each line of text, without scrolling.
[[nodiscard]] inline QStringList misfits(const QWidget& window)
{
    QStringList found;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QRect box = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = QFontMetrics(label->font()).boundingRect(box, flags, label->text());
        if (!label->text().isEmpty() && !box.contains(needed))
            found.append(label->objectName() + ": " + label->text());
    }
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        const QFontMetrics metrics(button->font());
        const int frame = 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        const int width = metrics.horizontalAdvance(QString(button->text()).remove(u'&'));
        if (width + frame + margin > button->width() || metrics.height() + frame > button->height())
            found.append(button->objectName());
    }
    for (const QPlainTextEdit* box : window.findChildren<QPlainTextEdit*>()) {
        const QFontMetrics metrics(box->font());
        const int margins = 2 * qRound(box->document()->documentMargin());
        const QStringList lines = box->toPlainText().trimmed().split(u'\n');
        for (const QString& line : lines) {
            if (metrics.horizontalAdvance(line) + margins > box->contentsRect().width())
                found.append(box->objectName() + ": " + line);
        }
        if (lines.size() * metrics.lineSpacing() + margins > box->contentsRect().height())
            found.append(box->objectName());
    }
    return found;
}

} // namespace cindral::ui::test
