// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AboutWindow.h"

#include "ui/Colouring.h"
#include "ui/Describe.h"
#include "ui/Fonts.h"
#include "ui/HorizontalLine.h"
#include "ui/RightsNotice.h"
#include "ui/SystemColour.h"
#include "ui/TextFit.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace cindral::ui {

namespace {

const QColor cream(255, 255, 192);

} // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Cindral 1.0v"));
    setFont(fonts::sansSerif());
    setLabelColours(*this, cream, Qt::black);
    setAutoFillBackground(true);
    setFixedSize(twips(4230), twips(3750));

    buildPicture();
    buildTexts();
    buildCredits();
    buildButtonAndRights();
    fit::shrinkAllToFit(*this);
}

QLabel* AboutWindow::addLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void AboutWindow::buildPicture()
{
    QLabel* image = addLabel(QStringLiteral("Image1"), {});
    // On a denser screen the picture drawn at twice the size: shrunk to the box, it stays sharp
    // where the plain one would be enlarged.
    image->setPixmap(QPixmap(devicePixelRatioF() > 1 ? QStringLiteral(":/cindral/about@2x.png")
                                                     : QStringLiteral(":/cindral/about.png")));
    image->setScaledContents(true);
    placeTwips(*image, 120, 120, 1005, 1125);
    describe(*image, QStringLiteral("Cindral padlock"));
}

void AboutWindow::buildTexts()
{
    QLabel* title = addLabel(QStringLiteral("lblTitle"), QStringLiteral("Cindral 1.0v"));
    title->setFont(fonts::title());
    placeTwips(*title, 1440, 120, 2565, 720);

    QLabel* version = addLabel(QStringLiteral("lblVersion"), QStringLiteral("Version 1.0"));
    placeTwips(*version, 1440, 840, 2085, 225);

    QLabel* description = addLabel(
        QStringLiteral("lblDescription"),
        QStringLiteral("Use Cindral 1.0v to encrypt and decrypt various file formats with password "
                       "protection. This Software is FREEWARE."));
    description->setWordWrap(true);
    description->setAutoFillBackground(true);
    setLabelColours(*description, cream,
                    systemColour(SystemColour::ButtonText, cream, Drawn::Text));
    placeTwips(*description, 1440, 1080, 2565, 810);
}

void AboutWindow::buildCredits()
{
    auto* credits = new QPlainTextEdit(this);
    credits->setObjectName(QStringLiteral("Text1"));
    credits->setFrameStyle(QFrame::NoFrame);
    // For reading: Enter reaches the default button and Tab moves the focus on.
    credits->setReadOnly(true);
    credits->setTabChangesFocus(true);
    setTextBoxColours(*credits, cream, Qt::black);
    credits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    credits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    credits->setPlainText(QStringLiteral("Written and kept up by\r\n"
                                         "the Cindral developers.\r\n"
                                         "\r\n"
                                         "Questions and bug reports:\r\n"
                                         "cindral@example.org"));
    placeTwips(*credits, 360, 1920, 3375, 1335);
    describe(*credits, QStringLiteral("Credits"),
             QStringLiteral("Who wrote Cindral and how to reach them"));

    auto* line =
        new HorizontalLine(systemColour(SystemColour::ScrollBar, Qt::black, Drawn::Line), this);
    line->setObjectName(QStringLiteral("Line1"));
    line->placeTwips(120, 3360, 2640, 1);
}

void AboutWindow::buildButtonAndRights()
{
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    placeTwips(*ok, 2880, 3360, 1260, 345);
    // Escape rejects the dialog, Enter presses the default button: both end here.
    connect(ok, &QPushButton::clicked, this, &AboutWindow::accept);
    ok->setAccessibleDescription(QStringLiteral("Closes this window"));

    QLabel* sign = addLabel(QStringLiteral("Label2"), QStringLiteral(" \u00A9"));
    sign->setFont(fonts::symbol());
    placeTwips(*sign, 480, 3480, 255, 255);

    QLabel* rights = addLabel(QStringLiteral("Label3"), rightsNotice());
    placeTwips(*rights, 720, 3480, 1695, 255);

    // Tab order: cmdOK, then the credits; the labels take no focus.
    setTabOrder(ok, findChild<QPlainTextEdit*>(QStringLiteral("Text1")));
    ok->setFocus();
}

} // namespace cindral::ui
