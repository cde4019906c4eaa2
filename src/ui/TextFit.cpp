// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TextFit.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>

namespace cindral::ui::fit {

namespace {

constexpr int smallestPixelSize = 4;

bool labelFits(const QLabel& label, const QFont& font)
{
    if (label.text().isEmpty())
        return true;
    const QRect box = label.contentsRect();
    const int flags = int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    return box.contains(QFontMetrics(font).boundingRect(box, flags, label.text()));
}

bool buttonFits(const QAbstractButton& button, const QFont& font)
{
    const QFontMetrics metrics(font);
    const QStyle& style = *button.style();
    const int frame = 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    const int margin = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
    const QString caption = QString(button.text()).remove(u'&');
    return metrics.horizontalAdvance(caption) + frame + margin <= button.width() &&
           metrics.height() + frame <= button.height();
}

// One line of the box to each line of its text, none of them wrapped or scrolled out of sight.
bool textBoxFits(const QPlainTextEdit& box, const QFont& font)
{
    const QFontMetrics metrics(font);
    const int margins = 2 * qRound(box.document()->documentMargin());
    const QRect area = box.contentsRect();
    const QStringList lines = box.toPlainText().trimmed().split(u'\n');
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) + margins > area.width())
            return false;
    }
    return lines.size() * metrics.lineSpacing() + margins <= area.height();
}

template <typename Control, typename Fits> void shrink(Control& control, Fits fits)
{
    QFont font = control.font();
    if (font.pixelSize() <= 0)
        font.setPixelSize(QFontInfo(font).pixelSize());
    while (!fits(control, font) && font.pixelSize() > smallestPixelSize)
        font.setPixelSize(font.pixelSize() - 1);
    if (font != control.font())
        control.setFont(font);
}

} // namespace

void shrinkToFit(QLabel& label)
{
    shrink(label, labelFits);
}

void shrinkToFit(QAbstractButton& button)
{
    shrink(button, buttonFits);
}

void shrinkToFit(QPlainTextEdit& box)
{
    shrink(box, textBoxFits);
}

void shrinkAllToFit(QWidget& window)
{
    for (QLabel* label : window.findChildren<QLabel*>())
        shrinkToFit(*label);
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        shrinkToFit(*button);
    for (QPlainTextEdit* box : window.findChildren<QPlainTextEdit*>())
        shrinkToFit(*box);
}

} // namespace cindral::ui::fit
