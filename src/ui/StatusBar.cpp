// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/StatusBar.h"

#include "ui/Fonts.h"
#include "ui/TextFit.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QPalette>

namespace cindral::ui {

namespace {

constexpr int gapAbove = 2;

// The desktop's own colours in every role, so that none is taken over from the window behind.
QPalette desktopColours()
{
    const QPalette desktop = QGuiApplication::palette();
    QPalette own;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colourGroup = static_cast<QPalette::ColorGroup>(group);
            const auto colourRole = static_cast<QPalette::ColorRole>(role);
            own.setColor(colourGroup, colourRole, desktop.color(colourGroup, colourRole));
        }
    }
    return own;
}

} // namespace

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent), m_first(makePanel(QStringLiteral("Panel1"))),
      m_second(makePanel(QStringLiteral("Panel2")))
{
    setPalette(desktopColours());
    setAutoFillBackground(true);
    setFont(fonts::sansSerif(fonts::Weight::Bold));
    // Panels of 5580 and 1440 twips, with a small gap between and above them.
    const int panelHeight = twips(255) - gapAbove;
    m_first->setGeometry(0, gapAbove, twips(5580), panelHeight);
    m_second->setGeometry(twips(5610), gapAbove, twips(1440), panelHeight);
    setFirstPanelText(QStringLiteral("Please Wait..."));
}

QLabel* StatusBar::makePanel(const QString& name)
{
    auto* panel = new QLabel(this);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    return panel;
}

void StatusBar::setFirstPanelText(const QString& text)
{
    m_first->setText(text);
    fit::shrinkToFit(*m_first);
    if (isVisible())
        repaint();
}

QString StatusBar::firstPanelText() const
{
    return m_first->text();
}

void StatusBar::setSecondPanelText(const QString& text)
{
    m_second->setText(text);
}

void StatusBar::showNow()
{
    show();
    repaint();
}

void StatusBar::hideNow()
{
    m_second->clear();
    hide();
    if (QWidget* parent = parentWidget())
        parent->repaint(geometry());
}

} // namespace cindral::ui
