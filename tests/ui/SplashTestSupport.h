#pragma once

#include "ui/Form2.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// Helpers for the tests that run the splash window with the real main window behind it.
namespace cindral::ui::test {

// The one top-level window of the given class, or nullptr when there is none.
template <typename Window> [[nodiscard]] Window* topLevel()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Window*>(window))
            return found;
    }
    return nullptr;
}

[[nodiscard]] inline Form2* mainWindow()
{
    return topLevel<Form2>();
}

// Frees the windows that were closed and unloaded, as the event loop would.
inline void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Names the top-level windows still alive and frees them, so that one test's leftovers cannot
// spoil the next.
[[nodiscard]] inline QStringList takeLeftoverWindows()
{
    flushDeferredDeletes();
    QStringList names;
    QList<QPointer<QWidget>> owners;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        names.append(QString::fromLatin1(window->metaObject()->className()));
        if (window->parentWidget() == nullptr)
            owners.append(window);
    }
    for (const QPointer<QWidget>& window : owners)
        delete window.data();
    return names;
}

} // namespace cindral::ui::test
