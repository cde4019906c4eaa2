// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/SplashWindow.h"

#include "ui/Describe.h"
#include "ui/Fonts.h"
#include "ui/HorizontalLine.h"
#include "ui/MainWindow.h"
#include "ui/RightsNotice.h"
#include "ui/SystemColour.h"
#include "ui/TextFit.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>
#include <utility>

namespace cindral::ui {

namespace {

const QColor background(0, 0, 0);
const QColor cream(255, 255, 192);
const QColor lavender(192, 192, 255);
const QColor paleGreen(192, 255, 192);
const QColor warningRed(255, 0, 0);

QFont largeSansSerifBold()
{
    QFont font = fonts::sansSerif(fonts::Weight::Bold);
    font.setPixelSize(16); // 12 points at 96 dots per inch
    return font;
}

QLabel* addLabel(QWidget& window, const char* name, const QString& text, const QColor& colour)
{
    auto* label = new QLabel(text, &window);
    label->setObjectName(QLatin1String(name));
    label->setFont(fonts::sansSerif());
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Keys that produce a character: printable text, blank, Enter, Escape and Backspace. Tab and
// Delete carry a control code on some platforms but move the focus or edit; they do not count.
bool producesCharacter(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        return !event.text().isEmpty();
    }
}

// The introduction: ten lines, each ending in CR LF.
QString introductionText()
{
    const QString lines[] = {
        QStringLiteral("Move to Cindral "),     QStringLiteral("and"),
        QString(24, QLatin1Char(' ')),          QStringLiteral("* Encrypt many file "),
        QStringLiteral("formats with "),        QStringLiteral("Password "),
        QStringLiteral("Protection."),          QString(5, QLatin1Char(' ')),
        QStringLiteral("*Decrypt your files "), QStringLiteral("with your Password."),
    };
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace

SplashWindow::SplashWindow(QString startFile, QStringList keptTexts)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), m_startFile(std::move(startFile)),
      m_keptTexts(std::move(keptTexts))
{
    buildWindow();
    m_closeTimer = new QTimer(this);
    m_closeTimer->setObjectName(QStringLiteral("Timer1"));
    m_closeTimer->setInterval(closeAfterMilliseconds);
    // A coarse timer may fire up to a twentieth early.
    m_closeTimer->setTimerType(Qt::PreciseTimer);
    connect(m_closeTimer, &QTimer::timeout, this, &QWidget::close);
}

void SplashWindow::setVisible(bool visible)
{
    const bool loading = visible && !m_loaded;
    if (loading) {
        m_loaded = true;
        m_closeTimer->start();
        centreOnScreen();
    }
    QWidget::setVisible(visible);
    // The window goes on screen first; its controls are in place before it is first drawn.
    if (loading)
        buildContents();
    if (visible) {
        raise();
        activateWindow();
    }
}

void SplashWindow::bringUpMainWindow()
{
    if (m_mainWindowUp)
        return;
    m_mainWindowUp = true;
    auto* mainWindow = new MainWindow();
    if (!m_startFile.isEmpty())
        mainWindow->chooseFile(m_startFile);
    mainWindow->show();
    if (isVisible()) {
        raise();
        activateWindow();
    }
    if (!m_keptTexts.isEmpty())
        QTimer::singleShot(0, mainWindow,
                           [mainWindow, lines = m_keptTexts] { mainWindow->keptTexts(lines); });
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && producesCharacter(static_cast<QKeyEvent&>(*event))) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The main window is built once the splash is on screen, so the splash shows without waiting
// for it.
void SplashWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &SplashWindow::bringUpMainWindow);
    }
}

void SplashWindow::mousePressEvent(QMouseEvent* event)
{
    m_pressedOnSurface = isBareSurface(*event);
}

void SplashWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = m_pressedOnSurface && isBareSurface(*event);
    m_pressedOnSurface = false;
    if (clicked)
        close();
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    // However early it closes, the main window is there behind it first.
    bringUpMainWindow();
    QWidget::closeEvent(event);
}

void SplashWindow::buildWindow()
{
    setObjectName(QStringLiteral("frmSplash"));
    // Closing unloads the window: it is freed, and its timer with it.
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window stays out of the task bar, but Qt would then not count it as a window that
    // keeps the program running; it must, so that closing the main window first leaves the
    // program up until the splash closes.
    setAttribute(Qt::WA_QuitOnClose);
    setFixedSize(twips(5505), twips(3645));
    setCursor(Qt::BusyCursor);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
}

void SplashWindow::buildContents()
{
    buildControls();
    previewKeys();
    fit::shrinkAllToFit(*this);
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        control->show();
    m_movie->start();
}

void SplashWindow::buildControls()
{
    buildAnimation();

    auto* label1 = addLabel(*this, "Label1", QStringLiteral("Cindral 1.0v"), cream);
    label1->setFont(fonts::title());
    placeTwips(*label1, 1560, 360, 2535, 735);

    placeTwips(*addLabel(*this, "Label5", QStringLiteral("Version 1.0"), cream), 1560, 1080, 1575,
               255);

    buildIntroduction();
    // The animation comes first in the tab order and so holds the focus at start; the text
    // box shows no caret until it is clicked or tabbed to.
    setTabOrder(findChild<QWidget*>(QStringLiteral("AniGIF1")),
                findChild<QWidget*>(QStringLiteral("Text1")));

    auto* label6 = addLabel(*this, "Label6", QStringLiteral("For Windows 9x/NT"), paleGreen);
    label6->setFont(largeSansSerifBold());
    placeTwips(*label6, 360, 1560, 2775, 375);

    auto* label4 = addLabel(*this, "Label4",
                            QStringLiteral("Warning: This Software is FREEWARE. It may be used at "
                                           "the sole descretion of the user. Read the Readme and "
                                           "Desclaimer before use."),
                            warningRed);
    label4->setWordWrap(true);
    placeTwips(*label4, 240, 2400, 3015, 855);

    buildRule();

    auto* label2 = addLabel(*this, "Label2", QStringLiteral(" \u00A9"), cream);
    label2->setFont(fonts::symbol());
    placeTwips(*label2, 0, 3360, 255, 255);

    placeTwips(*addLabel(*this, "Label3", rightsNotice(), cream), 240, 3360, 3135, 255);
}

void SplashWindow::buildAnimation()
{
    auto* aniGif1 = new QLabel(this);
    aniGif1->setObjectName(QStringLiteral("AniGIF1"));
    aniGif1->setAlignment(Qt::AlignCenter);
    aniGif1->setFocusPolicy(Qt::StrongFocus);
    placeTwips(*aniGif1, 120, 120, 975, 975);
    m_movie = new QMovie(QStringLiteral(":/cindral/animation.gif"), QByteArray(), aniGif1);
    aniGif1->setMovie(m_movie);
    describe(*aniGif1, QStringLiteral("Cindral animation"));
}

void SplashWindow::buildIntroduction()
{
    auto* text1 = new QPlainTextEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setFont(fonts::sansSerif(fonts::Weight::Bold));
    text1->setFrameShape(QFrame::NoFrame);
    text1->setTabChangesFocus(true);
    text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1->document()->setDocumentMargin(2);
    QPalette palette = text1->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, lavender);
    text1->setPalette(palette);
    text1->setPlainText(introductionText());
    placeTwips(*text1, 3480, 1440, 1815, 2055);
    describe(*text1, QStringLiteral("Introduction"), QStringLiteral("What Cindral does"));
}

void SplashWindow::buildRule()
{
    auto* line1 =
        new HorizontalLine(systemColour(SystemColour::ActiveBorder, background, Drawn::Line), this);
    line1->setObjectName(QStringLiteral("Line1"));
    // A drawn line, not a control: clicks on it land on the window's surface.
    line1->setAttribute(Qt::WA_TransparentForMouseEvents);
    line1->placeTwips(120, 3240, 3360, 1);
}

// Key presses reach the window before the control that has the focus, wherever it lies.
void SplashWindow::previewKeys()
{
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void SplashWindow::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = rect();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

bool SplashWindow::isBareSurface(const QMouseEvent& event) const
{
    const QPoint position = event.position().toPoint();
    return rect().contains(position) && childAt(position) == nullptr;
}

} // namespace cindral::ui
