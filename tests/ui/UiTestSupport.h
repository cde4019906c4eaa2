#pragma once

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Small helpers shared by the window tests.
namespace cindral::ui::test {

// Shows a window and waits until it has the keyboard, as a user's window would.
[[nodiscard]] inline bool showActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Frees the windows that were closed and unloaded, as the event loop would.
inline void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The class names of the top-level windows still on screen, after freeing the unloaded ones.
[[nodiscard]] inline QStringList visibleTopLevelWindows()
{
    flushDeferredDeletes();
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

} // namespace cindral::ui::test
