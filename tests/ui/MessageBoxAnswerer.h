#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QTimer>

// Answers every modal message box that comes up while it lives, pressing its OK button, and
// records what the box said. Any other modal dialog (the About window) is simply closed.
namespace cindral::ui::test {

struct SeenBox
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool oneButtonAndModal = false;
};

class MessageBoxAnswerer
{
public:
    MessageBoxAnswerer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start(0);
    }

    [[nodiscard]] const QList<SeenBox>& boxes() const { return m_boxes; }

private:
    QTimer m_timer;
    QList<SeenBox> m_boxes;

    void answer()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box == nullptr) {
            if (dialog != nullptr)
                dialog->reject();
            return;
        }
        SeenBox seen;
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.oneButtonAndModal =
            box->buttons().size() == 1 && box->windowModality() == Qt::ApplicationModal;
        m_boxes.append(seen);
        box->button(QMessageBox::Ok)->click();
    }
};

} // namespace cindral::ui::test
