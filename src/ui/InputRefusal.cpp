// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/InputRefusal.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace cindral::ui {

namespace {

[[nodiscard]] bool isUserInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        return true;
    default:
        return event.isInputEvent();
    }
}

// The widget an event is meant for: the receiver or its nearest widget ancestor (an action
// belongs to its menu bar), or the window on the screen that shows a widget. Input reaches a
// window on the screen before its widgets, and a click there could already move the focus.
[[nodiscard]] QWidget* widgetOf(QObject* receiver)
{
    for (QObject* object = receiver; object != nullptr; object = object->parent()) {
        if (object->isWidgetType())
            return static_cast<QWidget*>(object);
    }
    if (const auto* window = qobject_cast<QWindow*>(receiver)) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->windowHandle() == window)
                return widget;
        }
    }
    return nullptr;
}

} // namespace

InputRefusal::InputRefusal()
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputRefusal::~InputRefusal()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputRefusal::eventFilter(QObject* watched, QEvent* event)
{
    if (!isUserInput(*event))
        return false;
    const QWidget* widget = widgetOf(watched);
    // A shortcut of the whole program belongs to no window: it is refused too.
    if (widget == nullptr)
        return event->type() == QEvent::Shortcut;
    return !widget->window()->isModal();
}

} // namespace cindral::ui
