// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/MainWindow.h"

#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/OperationMessages.h"
#include "text/Cp1252.h"
#include "ui/AboutWindow.h"
#include "ui/Colouring.h"
#include "ui/Cp1252Validator.h"
#include "ui/Describe.h"
#include "ui/Fonts.h"
#include "ui/HelpChannel.h"
#include "ui/HorizontalLine.h"
#include "ui/InputRefusal.h"
#include "ui/LocalPath.h"
#include "ui/MessageBox.h"
#include "ui/OpenFileDialog.h"
#include "ui/PasswordCharacterStyle.h"
#include "ui/RegionalFormat.h"
#include "ui/StatusBar.h"
#include "ui/SystemColour.h"
#include "ui/TextFit.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <limits>
#include <optional>
#include <utility>

namespace cindral::ui {

namespace {

const QColor windowBackground(0, 0, 64);
const QColor titleColour(255, 255, 192);

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// A drop counts only when it brings exactly one existing local file.
std::optional<QString> singleLocalFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return std::nullopt;
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return std::nullopt;
    return QFileInfo(url.toLocalFile()).absoluteFilePath();
}

// The program's icon in every size drawn of it, so that no title bar, task switcher or dock
// shows it enlarged from a smaller one.
QIcon programIcon()
{
    QIcon icon;
    for (const QFileInfo& image : QDir(QStringLiteral(":/cindral/icons")).entryInfoList())
        icon.addFile(image.filePath());
    return icon;
}

const QString instructionText = QStringLiteral(
    "1. Password should be of atleast 5 or maximum 8  Characters/Numbers or Combination of "
    "them.\r\n"
    "2. Please remember your password as you need it to decrypt your file.\r\n"
    "3. Use Tab Key or Alt+underlined alphabet for keyboard access.\r\n");

} // namespace

MainWindow::MainWindow(LongWork::Clock clock, qsizetype pieceSize)
    : m_longWork(std::move(clock)), m_pieceSize(pieceSize), m_client(new QWidget(this))
{
    buildWindow();
    buildMenu();
    buildHeader();
    buildPasswordAndFile();
    buildButtons();
    buildFooter();
    buildComponents();
    orderTabs();
    writeDate();
    fit::shrinkAllToFit(*m_client);
}

void MainWindow::buildWindow()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Cindral 1.0v"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Closing unloads the window; the program ends when no window is left.
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setFont(fonts::sansSerif());

    m_client->setObjectName(QStringLiteral("client"));
    setLabelColours(*m_client,
                    systemColour(SystemColour::HighlightedText, windowBackground, Drawn::Text),
                    windowBackground);
    m_client->setAutoFillBackground(true);
    m_client->setFixedSize(twips(7065), twips(4125));
    setCentralWidget(m_client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::buildMenu()
{
    QAction* about = menuBar()->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("abt"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    QAction* help = menuBar()->addAction(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("hlp"));
    connect(help, &QAction::triggered, this, &MainWindow::showHelp);
}

QLabel* MainWindow::addLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, m_client);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* MainWindow::addButton(const QString& name, const QString& caption, QPoint twipsAt,
                                   void (MainWindow::*pressed)(), const QString& description)
{
    auto* button = new QPushButton(caption, m_client);
    button->setObjectName(name);
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    placeTwips(*button, twipsAt.x(), twipsAt.y(), 1455, 375);
    connect(button, &QPushButton::clicked, this, pressed);
    button->setAccessibleDescription(description);
    return button;
}

void MainWindow::buildHeader()
{
    m_dateLabel = addLabel(QStringLiteral("Label2"), {});
    placeTwips(*m_dateLabel, 240, 120, 0, 195);
    m_dateLabel->setAccessibleDescription(QStringLiteral("Today's date"));

    QLabel* title = addLabel(QStringLiteral("Label7"), QStringLiteral("Cindral 1.0v"));
    title->setFont(fonts::title());
    setLabelColours(*title, titleColour, windowBackground);
    placeTwips(*title, 2280, 0, 2535, 615);

    m_clockLabel = addLabel(QStringLiteral("Label3"), {});
    m_clockLabel->setAutoFillBackground(true);
    placeTwips(*m_clockLabel, 5760, 120, 1215, 375);
    m_clockLabel->setAccessibleDescription(QStringLiteral("The time now"));
}

void MainWindow::buildPasswordAndFile()
{
    QLabel* prompt = addLabel(QStringLiteral("Label1"), QStringLiteral("Password:"));
    prompt->setFont(fonts::sansSerif(fonts::Weight::Bold));
    placeTwips(*prompt, 1560, 1320, 0, 195);
    prompt->resize(prompt->sizeHint().width(), prompt->height());

    m_passwordBox = new QLineEdit(m_client);
    m_passwordBox->setObjectName(QStringLiteral("Text1"));
    m_passwordBox->setEchoMode(QLineEdit::Password);
    // Any length: the operations refuse what they cannot fingerprint.
    m_passwordBox->setMaxLength(std::numeric_limits<int>::max());
    m_passwordBox->setValidator(new Cp1252Validator(m_passwordBox));
    auto* maskStyle = new PasswordCharacterStyle();
    maskStyle->setParent(m_passwordBox);
    m_passwordBox->setStyle(maskStyle);
    m_passwordBox->setAcceptDrops(false);
    placeTwips(*m_passwordBox, 2760, 1200, 3015, 375);
    connect(m_passwordBox, &QLineEdit::textChanged, this, &MainWindow::moveOnAfterLongPassword);
    prompt->setBuddy(m_passwordBox);
    describe(*m_passwordBox, QStringLiteral("Password"),
             QStringLiteral("At least five characters; shown as stars"));

    m_browseButton = addButton(QStringLiteral("browse"), QStringLiteral("&Browse"), {1200, 1800},
                               &MainWindow::browseForFile,
                               QStringLiteral("Chooses the file to encrypt or decrypt"));

    m_fileBox = new QLineEdit(m_client);
    m_fileBox->setObjectName(QStringLiteral("Text2"));
    m_fileBox->setAcceptDrops(false);
    placeTwips(*m_fileBox, 2760, 1800, 3015, 375);
    // Only a file chosen with Browse or dropped on the window is worked on, not a typed name.
    describe(*m_fileBox, QStringLiteral("File"),
             QStringLiteral("The file chosen with Browse or dropped on the window"));
}

void MainWindow::buildButtons()
{
    m_encryptButton =
        addButton(QStringLiteral("encrip"), QStringLiteral("&Encrypt"), {1200, 2400},
                  &MainWindow::encryptChosenFile,
                  QStringLiteral("Encrypts the chosen file in place with the password"));
    m_decryptButton = addButton(
        QStringLiteral("decrip"), QStringLiteral("&Decrypt"), {2760, 2400},
        &MainWindow::decryptChosenFile,
        QStringLiteral("Decrypts the chosen file with the password it was encrypted with"));
    m_exitButton = addButton(QStringLiteral("exit"), QStringLiteral("E&xit"), {4320, 2400},
                             &MainWindow::exitProgram, QStringLiteral("Ends Cindral"));
}

void MainWindow::buildFooter()
{
    auto* line = new HorizontalLine(
        systemColour(SystemColour::ActiveBorder, windowBackground, Drawn::Line), m_client);
    line->setObjectName(QStringLiteral("Line1"));
    line->placeTwips(120, 3120, 6960, 2);

    auto* instructionsBox = new QPlainTextEdit(m_client);
    instructionsBox->setObjectName(QStringLiteral("Text3"));
    instructionsBox->setFrameStyle(QFrame::NoFrame);
    instructionsBox->setFont(fonts::instructions());
    setTextBoxColours(*instructionsBox,
                      systemColour(SystemColour::TitleBarText, windowBackground, Drawn::Text),
                      windowBackground);
    instructionsBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    instructionsBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    instructionsBox->document()->setDocumentMargin(1);
    instructionsBox->setPlainText(instructionText);
    instructionsBox->setFocusPolicy(Qt::ClickFocus);
    instructionsBox->setTabChangesFocus(true);
    instructionsBox->setAcceptDrops(false);
    placeTwips(*instructionsBox, 0, 3240, 6975, 615);
    describe(*instructionsBox, QStringLiteral("Instructions"));

    m_statusBar = new StatusBar(m_client);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    placeTwips(*m_statusBar, 0, 3870, 7065, 255);
    m_statusBar->hide();
    describe(*m_statusBar, QStringLiteral("Status"),
             QStringLiteral("The stage of the running operation"));
}

void MainWindow::buildComponents()
{
    auto* clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("Timer1"));
    clockTimer->setInterval(1000);
    connect(clockTimer, &QTimer::timeout, this, &MainWindow::showTime);
    clockTimer->start();

    m_fileDialog = new OpenFileDialog(this);
    m_fileDialog->setObjectName(QStringLiteral("CommonDialog1"));
    m_helpChannel = new HelpChannel(this);
    m_helpChannel->setObjectName(QStringLiteral("CommonDialog2"));
}

void MainWindow::orderTabs()
{
    QWidget::setTabOrder(m_passwordBox, m_browseButton);
    QWidget::setTabOrder(m_browseButton, m_fileBox);
    QWidget::setTabOrder(m_fileBox, m_encryptButton);
    QWidget::setTabOrder(m_encryptButton, m_decryptButton);
    QWidget::setTabOrder(m_decryptButton, m_exitButton);
    m_passwordBox->setFocus();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Placed on the first showing, when the window's frame is known.
    if (!m_placed) {
        m_placed = true;
        centreOnScreen();
    }
}

void MainWindow::centreOnScreen()
{
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MainWindow::writeDate()
{
    m_dateLabel->setText(regional::formatDate(QDate::currentDate(), QLocale()));
    m_dateLabel->resize(m_dateLabel->sizeHint().width(), m_dateLabel->height());
    fit::shrinkToFit(*m_dateLabel);
}

void MainWindow::showTime()
{
    m_clockLabel->setText(regional::formatTime(QTime::currentTime(), QLocale()));
    fit::shrinkToFit(*m_clockLabel);
}

void MainWindow::browseForFile()
{
    m_fileDialog->setFilter(
        QStringLiteral("Text Files") +
        QStringLiteral("(*.txt)|*.txt|Batch Files (*.bat)|*.bat|Java Files (*.java)|*.java|C Files "
                       "(*.c)|*.c|C++ Files (*.cpp)|*.cpp|Html Files (*.html)|*.html|Html Files "
                       "(*.htm)|*.htm|ASP Files (*.asp)|*.asp"));
    m_fileDialog->setFilterIndex(1);
    m_fileDialog->showOpen(this);
    m_fileBox->setText(m_fileDialog->fileName());
}

void MainWindow::moveOnAfterLongPassword()
{
    if (m_passwordBox->text().size() > 8)
        m_browseButton->setFocus();
}

void MainWindow::encryptChosenFile()
{
    // The operation reports its outcome to the user itself, through the window services.
    workOnChosenFile([this] { static_cast<void>(runEncrypt(*this, m_state, m_pieceSize)); });
}

void MainWindow::decryptChosenFile()
{
    workOnChosenFile([this] { static_cast<void>(runDecrypt(*this, m_state, m_pieceSize)); });
}

void MainWindow::workOnChosenFile(const std::function<void()>& operation)
{
    {
        const InputRefusal refusal;
        m_operationRunning = true;
        m_longWork.start();
        operation();
        m_operationRunning = false;
    }
    if (std::exchange(m_closeHeld, false))
        close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_operationRunning) {
        m_closeHeld = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::exitProgram()
{
    // Ends the event loop at once, whatever other window (the splash) is still up.
    QCoreApplication::exit(0);
}

void MainWindow::showAbout()
{
    AboutWindow about(this);
    about.exec();
}

void MainWindow::showHelp()
{
    m_helpChannel->showHelp(QStringLiteral("Cinhelp.hlp"));
}

QByteArray MainWindow::passwordText() const
{
    // The validator keeps Text1 to characters of the code page; filtering again keeps this
    // total even for text set around it.
    return cp1252::encode(Cp1252Validator::keepRepresentable(m_passwordBox->text()))
        .value_or(QByteArray());
}

QString MainWindow::fileBoxText() const
{
    return m_fileBox->text();
}

QByteArray MainWindow::chosenFileName() const
{
    // The dialog shows names as text; a name that is not UTF-8 is refused, never swapped for
    // another file that shows the same.
    return exactLocalPath(m_fileDialog->fileName());
}

void MainWindow::pointerBusy()
{
    setCursor(Qt::WaitCursor);
}

void MainWindow::pointerNormal()
{
    unsetCursor();
}

void MainWindow::showStatusBar()
{
    m_statusBar->showNow();
}

void MainWindow::hideStatusBar()
{
    m_statusBar->hideNow();
}

void MainWindow::setStageText(const QString& text)
{
    m_statusBar->setFirstPanelText(text);
}

void MainWindow::focusPassword()
{
    m_passwordBox->setFocus();
}

void MainWindow::selectWholePassword()
{
    m_passwordBox->setSelection(0, static_cast<int>(m_passwordBox->text().size()));
}

void MainWindow::messageBox(const QString& prompt, const QString& title, MessageIcon icon)
{
    MessageBox::show(this, boxIcon(icon), title, prompt);
}

void MainWindow::keptTexts(const QStringList& lines)
{
    const MessageBoxText& box = messages::keptTexts;
    messageBox(box.prompt.toString() + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')),
               box.title.toString(), box.icon);
}

void MainWindow::progress(qint64 done, qint64 total)
{
    m_longWork.progress(done, total, *m_statusBar);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (singleLocalFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::optional<QString> file = singleLocalFile(event->mimeData());
    if (!file)
        return;
    event->acceptProposedAction();
    chooseFile(*file);
}

void MainWindow::chooseFile(const QString& path)
{
    m_fileDialog->acceptFile(path);
    m_fileBox->setText(m_fileDialog->fileName());
}

} // namespace cindral::ui
