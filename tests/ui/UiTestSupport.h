// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

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

// The box around the pixels that a control's text changes, drawn with `room` more on each side.
[[nodiscard]] inline QRect inkOf(QWidget& control, const QMargins& room,
                                 const std::function<void(bool shown)>& showText)
{
    const QRect place = control.geometry();
    control.setGeometry(place + room);
    const QImage with = control.grab().toImage();
    showText(false);
    const QImage without = control.grab().toImage();
    showText(true);
    control.setGeometry(place);
    QRect ink;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The labels, buttons and text boxes of a window whose text, as drawn, is cut at their edges:
// given room around them, their text spreads further. Wrapped lines get room below only.
[[nodiscard]] inline QStringList clippedTexts(const QWidget& window)
{
    QStringList found;
    const auto check = [&](QWidget& control, bool wraps, const std::function<void(bool)>& show) {
        const QMargins room = wraps ? QMargins(0, 0, 0, 400) : QMargins(400, 400, 400, 400);
        if (inkOf(control, {}, show).size() != inkOf(control, room, show).size())
            found.append(control.objectName());
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QString text = label->text();
        if (!text.isEmpty())
            check(*label, label->wordWrap(),
                  [&](bool shown) { label->setText(shown ? text : ""); });
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const QString text = button->text();
        check(*button, false, [&](bool shown) { button->setText(shown ? text : QString()); });
    }
    for (QPlainTextEdit* box : window.findChildren<QPlainTextEdit*>()) {
        const QString text = box->toPlainText();
        const int caret = box->cursorWidth();
        box->setCursorWidth(0); // a blinking caret would change pixels of its own
        check(*box, true, [&](bool shown) { box->setPlainText(shown ? text : QString()); });
        box->setCursorWidth(caret);
    }
    return found;
}

} // namespace cindral::ui::test
