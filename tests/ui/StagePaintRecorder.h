#pragma once

#include "ui/StatusBar.h"

#include <QEvent>
#include <QObject>
#include <QStringList>

// Records the first panel's text each time the status bar is drawn while visible: what the
// user saw, even while an operation holds the event loop.
namespace cindral::ui::test {

class StagePaintRecorder : public QObject
{
public:
    explicit StagePaintRecorder(StatusBar* bar) : m_bar(bar) { bar->installEventFilter(this); }

    [[nodiscard]] const QStringList& painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_bar && event->type() == QEvent::Paint && m_bar->isVisible()) {
            const QString text = m_bar->firstPanelText();
            if (m_painted.isEmpty() || m_painted.constLast() != text)
                m_painted.append(text);
        }
        return false;
    }

private:
    StatusBar* m_bar;
    QStringList m_painted;
};

} // namespace cindral::ui::test
