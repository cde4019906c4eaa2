#include "ui/FrmAbout.h"

#include "ui/Colouring.h"
#include "ui/Describe.h"
#include "ui/Fonts.h"
#include "ui/HorizontalLine.h"
#include "ui/SystemColour.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace cindral::ui {

namespace {

const QColor cream(255, 255, 192);

} // namespace

FrmAbout::FrmAbout(QWidget* parent)
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
}

QLabel* FrmAbout::addLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void FrmAbout::buildPicture()
{
    QLabel* image = addLabel(QStringLiteral("Image1"), {});
    image->setPixmap(QPixmap(QStringLiteral(":/cindral/about.png")));
    image->setScaledContents(true);
    placeTwips(*image, 120, 120, 1005, 1125);
    describe(*image, QStringLiteral("Cindral padlock"));
}

void FrmAbout::buildTexts()
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
    setLabelColours(*description, cream, systemColour(SystemColour::ButtonText));
    placeTwips(*description, 1440, 1080, 2565, 810);
}

void FrmAbout::buildCredits()
{
    auto* credits = new QPlainTextEdit(this);
    credits->setObjectName(QStringLiteral("Text1"));
    credits->setFrameStyle(QFrame::NoFrame);
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

    auto* line = new HorizontalLine(systemColour(SystemColour::ScrollBar), this);
    line->setObjectName(QStringLiteral("Line1"));
    line->placeTwips(120, 3360, 2640, 1);
}

void FrmAbout::buildButtonAndRights()
{
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    placeTwips(*ok, 2880, 3360, 1260, 345);
    // Escape rejects the dialog, Enter presses the default button: both end here.
    connect(ok, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
    ok->setAccessibleDescription(QStringLiteral("Closes this window"));

    QLabel* sign = addLabel(QStringLiteral("Label2"), QStringLiteral(" \u00A9"));
    sign->setFont(fonts::symbol());
    placeTwips(*sign, 480, 3480, 255, 255);

    QLabel* rights = addLabel(QStringLiteral("Label3"), QStringLiteral("2003 the Cindral team"));
    placeTwips(*rights, 720, 3480, 1695, 255);

    // Tab order: cmdOK, then the credits; the labels take no focus.
    setTabOrder(ok, findChild<QPlainTextEdit*>(QStringLiteral("Text1")));
    ok->setFocus();
}

void FrmAbout::cmdOK_Click()
{
    accept();
}

} // namespace cindral::ui
