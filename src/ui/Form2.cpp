#include "ui/Form2.h"

#include "operations/Cp1252.h"
#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/LocalPath.h"
#include "ui/Colouring.h"
#include "ui/Cp1252Validator.h"
#include "ui/Describe.h"
#include "ui/Fonts.h"
#include "ui/FrmAbout.h"
#include "ui/HelpChannel.h"
#include "ui/HorizontalLine.h"
#include "ui/OpenFileDialog.h"
#include "ui/PasswordCharacterStyle.h"
#include "ui/RegionalFormat.h"
#include "ui/StatusBar.h"
#include "ui/SystemColour.h"
#include "ui/Twips.h"

#include <QCoreApplication>
#include <QDate>
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
#include <optional>

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

} // namespace

const QString Form2::instructionText = QStringLiteral(
    "1. Password should be of atleast 5 or maximum 8  Characters/Numbers or Combination of "
    "them.\r\n"
    "2. Please remember your password as you need it to decrypt your file.\r\n"
    "3. Use Tab Key or Alt+underlined alphabet for keyboard access.\r\n");

Form2::Form2() : m_client(new QWidget(this))
{
    buildWindow();
    buildMenu();
    buildHeader();
    buildPasswordAndFile();
    buildButtons();
    buildFooter();
    buildComponents();
    orderTabs();
    Form_Load();
}

void Form2::buildWindow()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Cindral 1.0v"));
    setWindowIcon(QIcon(QStringLiteral(":/cindral/cindral.png")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Closing unloads the window; the program ends when no window is left.
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setFont(fonts::sansSerif());

    m_client->setObjectName(QStringLiteral("client"));
    setLabelColours(*m_client, systemColour(SystemColour::HighlightedText), windowBackground);
    m_client->setAutoFillBackground(true);
    m_client->setFixedSize(twips(7065), twips(4125));
    setCentralWidget(m_client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form2::buildMenu()
{
    QAction* about = menuBar()->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("abt"));
    connect(about, &QAction::triggered, this, &Form2::abt_Click);
    QAction* help = menuBar()->addAction(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("hlp"));
    connect(help, &QAction::triggered, this, &Form2::hlp_Click);
}

QLabel* Form2::addLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, m_client);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* Form2::addButton(const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, m_client);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void Form2::buildHeader()
{
    m_Label2 = addLabel(QStringLiteral("Label2"), {});
    placeTwips(*m_Label2, 240, 120, 0, 195);
    m_Label2->setAccessibleDescription(QStringLiteral("Today's date"));

    QLabel* title = addLabel(QStringLiteral("Label7"), QStringLiteral("Cindral 1.0v"));
    title->setFont(fonts::title());
    setLabelColours(*title, titleColour, windowBackground);
    placeTwips(*title, 2280, 0, 2535, 615);

    m_Label3 = addLabel(QStringLiteral("Label3"), {});
    m_Label3->setAutoFillBackground(true);
    placeTwips(*m_Label3, 5760, 120, 1215, 375);
    m_Label3->setAccessibleDescription(QStringLiteral("The time now"));
}

void Form2::buildPasswordAndFile()
{
    QLabel* prompt = addLabel(QStringLiteral("Label1"), QStringLiteral("Password:"));
    prompt->setFont(fonts::sansSerif(fonts::Weight::Bold));
    placeTwips(*prompt, 1560, 1320, 0, 195);
    prompt->resize(prompt->sizeHint().width(), prompt->height());

    m_Text1 = new QLineEdit(m_client);
    m_Text1->setObjectName(QStringLiteral("Text1"));
    m_Text1->setEchoMode(QLineEdit::Password);
    m_Text1->setValidator(new Cp1252Validator(m_Text1));
    auto* maskStyle = new PasswordCharacterStyle();
    maskStyle->setParent(m_Text1);
    m_Text1->setStyle(maskStyle);
    m_Text1->setAcceptDrops(false);
    placeTwips(*m_Text1, 2760, 1200, 3015, 375);
    connect(m_Text1, &QLineEdit::textChanged, this, &Form2::Text1_Change);
    prompt->setBuddy(m_Text1);
    describe(*m_Text1, QStringLiteral("Password"),
             QStringLiteral("At least five characters; shown as stars"));

    m_browse = addButton(QStringLiteral("browse"), QStringLiteral("&Browse"));
    placeTwips(*m_browse, 1200, 1800, 1455, 375);
    connect(m_browse, &QPushButton::clicked, this, &Form2::browse_Click);
    m_browse->setAccessibleDescription(QStringLiteral("Chooses the file to encrypt or decrypt"));

    m_Text2 = new QLineEdit(m_client);
    m_Text2->setObjectName(QStringLiteral("Text2"));
    m_Text2->setAcceptDrops(false);
    placeTwips(*m_Text2, 2760, 1800, 3015, 375);
    // Only a file chosen with Browse or dropped on the window is worked on, not a typed name.
    describe(*m_Text2, QStringLiteral("File"),
             QStringLiteral("The file chosen with Browse or dropped on the window"));
}

void Form2::buildButtons()
{
    m_encrip = addButton(QStringLiteral("encrip"), QStringLiteral("&Encrypt"));
    placeTwips(*m_encrip, 1200, 2400, 1455, 375);
    connect(m_encrip, &QPushButton::clicked, this, &Form2::encrip_Click);
    m_encrip->setAccessibleDescription(
        QStringLiteral("Encrypts the chosen file in place with the password"));

    m_decrip = addButton(QStringLiteral("decrip"), QStringLiteral("&Decrypt"));
    placeTwips(*m_decrip, 2760, 2400, 1455, 375);
    connect(m_decrip, &QPushButton::clicked, this, &Form2::decrip_Click);
    m_decrip->setAccessibleDescription(
        QStringLiteral("Decrypts the chosen file with the password it was encrypted with"));

    m_exit = addButton(QStringLiteral("exit"), QStringLiteral("E&xit"));
    placeTwips(*m_exit, 4320, 2400, 1455, 375);
    connect(m_exit, &QPushButton::clicked, this, &Form2::exit_Click);
    m_exit->setAccessibleDescription(QStringLiteral("Ends Cindral"));
}

void Form2::buildFooter()
{
    auto* line = new HorizontalLine(systemColour(SystemColour::ActiveBorder), m_client);
    line->setObjectName(QStringLiteral("Line1"));
    line->placeTwips(120, 3120, 6960, 2);

    m_Text3 = new QPlainTextEdit(m_client);
    m_Text3->setObjectName(QStringLiteral("Text3"));
    m_Text3->setFrameStyle(QFrame::NoFrame);
    m_Text3->setFont(fonts::instructions());
    setTextBoxColours(*m_Text3, systemColour(SystemColour::TitleBarText), windowBackground);
    m_Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_Text3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_Text3->document()->setDocumentMargin(1);
    m_Text3->setPlainText(instructionText);
    m_Text3->setFocusPolicy(Qt::ClickFocus);
    m_Text3->setAcceptDrops(false);
    placeTwips(*m_Text3, 0, 3240, 6975, 615);
    describe(*m_Text3, QStringLiteral("Instructions"));

    m_StatusBar1 = new StatusBar(m_client);
    m_StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    placeTwips(*m_StatusBar1, 0, 3870, 7065, 255);
    m_StatusBar1->hide();
    describe(*m_StatusBar1, QStringLiteral("Status"),
             QStringLiteral("The stage of the running operation"));
}

void Form2::buildComponents()
{
    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(1000);
    connect(m_Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    m_Timer1->start();

    m_CommonDialog1 = new OpenFileDialog(this);
    m_CommonDialog1->setObjectName(QStringLiteral("CommonDialog1"));
    m_CommonDialog2 = new HelpChannel(this);
    m_CommonDialog2->setObjectName(QStringLiteral("CommonDialog2"));
}

void Form2::orderTabs()
{
    QWidget::setTabOrder(m_Text1, m_browse);
    QWidget::setTabOrder(m_browse, m_Text2);
    QWidget::setTabOrder(m_Text2, m_encrip);
    QWidget::setTabOrder(m_encrip, m_decrip);
    QWidget::setTabOrder(m_decrip, m_exit);
    m_Text1->setFocus();
}

void Form2::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Placed on the first showing, when the window's frame is known.
    if (!m_placed) {
        m_placed = true;
        centreOnScreen();
    }
}

void Form2::centreOnScreen()
{
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Form2::Form_Load()
{
    m_Label2->setText(regional::formatDate(QDate::currentDate(), QLocale()));
    m_Label2->resize(m_Label2->sizeHint().width(), m_Label2->height());
}

void Form2::Timer1_Timer()
{
    m_Label3->setText(regional::formatTime(QTime::currentTime(), QLocale()));
}

void Form2::browse_Click()
{
    m_CommonDialog1->setFilter(
        QStringLiteral("Text Files") +
        QStringLiteral("(*.txt)|*.txt|Batch Files (*.bat)|*.bat|Java Files (*.java)|*.java|C Files "
                       "(*.c)|*.c|C++ Files (*.cpp)|*.cpp|Html Files (*.html)|*.html|Html Files "
                       "(*.htm)|*.htm|ASP Files (*.asp)|*.asp"));
    m_CommonDialog1->setFilterIndex(1);
    m_CommonDialog1->showOpen(this);
    m_Text2->setText(m_CommonDialog1->fileName());
}

void Form2::Text1_Change()
{
    if (m_Text1->text().size() > 8)
        m_browse->setFocus();
}

void Form2::encrip_Click()
{
    // The operation reports its outcome to the user itself, through the window services.
    static_cast<void>(runEncrypt(*this, m_state));
}

void Form2::decrip_Click()
{
    static_cast<void>(runDecrypt(*this, m_state));
}

void Form2::exit_Click()
{
    // Ends the event loop at once, whatever other window (the splash) is still up.
    QCoreApplication::exit(0);
}

void Form2::abt_Click()
{
    FrmAbout about(this);
    about.exec();
}

void Form2::hlp_Click()
{
    m_CommonDialog2->showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
}

QByteArray Form2::passwordText() const
{
    // The validator keeps Text1 to characters of the code page; filtering again keeps this
    // total even for text set around it.
    return cp1252::encode(Cp1252Validator::keepRepresentable(m_Text1->text()))
        .value_or(QByteArray());
}

QString Form2::fileBoxText() const
{
    return m_Text2->text();
}

QByteArray Form2::chosenFileName() const
{
    // The dialog shows names as text; a name that is not UTF-8 is refused, never swapped for
    // another file that shows the same.
    return exactLocalPath(m_CommonDialog1->fileName());
}

void Form2::pointerBusy()
{
    setCursor(Qt::WaitCursor);
}

void Form2::pointerNormal()
{
    unsetCursor();
}

void Form2::showStatusBar()
{
    m_StatusBar1->showNow();
}

void Form2::hideStatusBar()
{
    m_StatusBar1->hideNow();
}

void Form2::setStageText(const QString& text)
{
    m_StatusBar1->setFirstPanelText(text);
}

void Form2::focusPassword()
{
    m_Text1->setFocus();
}

void Form2::selectWholePassword()
{
    m_Text1->setSelection(0, static_cast<int>(m_Text1->text().size()));
}

void Form2::messageBox(const QString& prompt, const QString& title, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), title, prompt, QMessageBox::Ok, this);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void Form2::dragEnterEvent(QDragEnterEvent* event)
{
    if (singleLocalFile(event->mimeData()))
        event->acceptProposedAction();
}

void Form2::dropEvent(QDropEvent* event)
{
    const std::optional<QString> file = singleLocalFile(event->mimeData());
    if (!file)
        return;
    event->acceptProposedAction();
    m_CommonDialog1->acceptFile(*file);
    m_Text2->setText(m_CommonDialog1->fileName());
}

} // namespace cindral::ui
