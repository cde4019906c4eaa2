#include "ui/StatusBar.h"

#include "ui/Fonts.h"
#include "ui/Twips.h"

namespace cindral::ui {

namespace {

constexpr int gapAbove = 2;

} // namespace

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent), m_first(makePanel(QStringLiteral("Panel1"))),
      m_second(makePanel(QStringLiteral("Panel2")))
{
    setAutoFillBackground(true);
    setFont(fonts::sansSerif(fonts::Weight::Bold));
    m_first->setText(QStringLiteral("Please Wait..."));
    // Panels of 5580 and 1440 twips, with a small gap between and above them.
    const int panelHeight = twips(255) - gapAbove;
    m_first->setGeometry(0, gapAbove, twips(5580), panelHeight);
    m_second->setGeometry(twips(5610), gapAbove, twips(1440), panelHeight);
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
    if (isVisible())
        repaint();
}

QString StatusBar::firstPanelText() const
{
    return m_first->text();
}

void StatusBar::showNow()
{
    show();
    repaint();
}

void StatusBar::hideNow()
{
    hide();
    if (QWidget* parent = parentWidget())
        parent->repaint(geometry());
}

} // namespace cindral::ui
