#pragma once

#include "ui/Form2.h"
#include "ui/StatusBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

// Answers every modal message box that comes up while it lives, pressing its OK button, and
// records what the box said and how the main window looked at that moment.
namespace cindral::ui::test {

struct SeenBox
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    bool applicationModal = false;
    bool statusBarVisible = false;
    QString stageText;
    bool busyPointer = false;
};

class MessageBoxAnswerer
{
public:
    explicit MessageBoxAnswerer(Form2* window = nullptr) : m_window(window)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start();
    }

    [[nodiscard]] const QList<SeenBox>& boxes() const { return m_boxes; }

private:
    QPointer<Form2> m_window;
    QTimer m_timer;
    QList<SeenBox> m_boxes;

    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        SeenBox seen;
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.buttonCount = static_cast<int>(box->buttons().size());
        seen.applicationModal = box->windowModality() == Qt::ApplicationModal;
        if (m_window) {
            const auto* bar = m_window->findChild<StatusBar*>(QStringLiteral("StatusBar1"));
            seen.statusBarVisible = bar->isVisible();
            seen.stageText = bar->firstPanelText();
            seen.busyPointer = m_window->cursor().shape() == Qt::WaitCursor;
        }
        m_boxes.append(seen);
        box->button(QMessageBox::Ok)->click();
    }
};

} // namespace cindral::ui::test
