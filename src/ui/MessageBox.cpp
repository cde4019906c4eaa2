// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/MessageBox.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <utility>

namespace cindral::ui {

namespace {

QList<QMessageBox::StandardButton> presetAnswers;
QList<MessageBox::Shown> answered;

// Title bars are drawn by the window manager, mostly in a bold face, with the window's icon at
// one end and up to three buttons at the other, each about as wide as the bar is high.
int widthForTitle(const QString& title)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int barHeight = 2 * metrics.height();
    const int iconAndButtons = 4 * barHeight;
    return metrics.horizontalAdvance(title) + iconAndButtons + barHeight;
}

// A message box sizes itself to its text when shown; an empty item across its layout keeps it
// at least as wide as its title needs.
void widenForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    grid->addItem(new QSpacerItem(widthForTitle(box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

void answerAtOnce(QMessageBox& box, QMessageBox::StandardButton answer)
{
    box.show();
    answered.append({box.windowTitle(), box.text(), box.icon(),
                     static_cast<int>(box.buttons().size()), box.windowModality(), box.width()});
    box.done(answer);
}

} // namespace

void MessageBox::show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                      const QString& prompt)
{
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    widenForTitle(box);
    if (!presetAnswers.isEmpty())
        answerAtOnce(box, presetAnswers.takeFirst());
    else
        box.exec();
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    presetAnswers.append(answer);
}

QList<MessageBox::Shown> MessageBox::takeAnswered()
{
    return std::exchange(answered, {});
}

} // namespace cindral::ui
