#include "ui/MainWindow.h"

#include "UiTestSupport.h"
#include "operations/ScratchFiles.h"
#include "ui/MessageBox.h"
#include "ui/OpenFileDialog.h"
#include "ui/StatusBar.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMetaEnum>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

// "title | prompt | icon | buttons, modality, width" of each box answered since the last call. A
// box is wide when it holds its title in a bold title-bar font beside the window's icon and
// three frame buttons of a title bar at least 24 pixels high.
QStringList answeredBoxes()
{
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    QStringList boxes;
    for (const MessageBox::Shown& box : MessageBox::takeAnswered()) {
        const bool wide = box.width >= QFontMetrics(titleFont).horizontalAdvance(box.title) + 96;
        boxes.append(QStringLiteral("%1 | %2 | %3 | %4 button, %5, %6")
                         .arg(box.title, box.prompt,
                              QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box.icon))
                         .arg(box.buttonCount)
                         .arg(box.modality == Qt::ApplicationModal ? "modal" : "modeless",
                              wide ? "wide" : "narrow"));
    }
    return boxes;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    QPointer<MainWindow> m_form;
    QList<QString> m_answers; // the open-file dialog's next answers; it cancels once they run out
    QTemporaryDir m_dir;
    QStringList m_painted; // the stage text each time the status bar was drawn on screen

    template <typename T = QPushButton> T* child(const char* name) const
    {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }

    QLineEdit* password() const { return child<QLineEdit>("Text1"); }
    QLineEdit* fileBox() const { return child<QLineEdit>("Text2"); }

    void typePassword(const QString& text)
    {
        password()->clear();
        password()->setFocus();
        QTest::keyClicks(password(), text);
    }

    void choose(const QString& path)
    {
        m_answers.append(path);
        child("browse")->click();
    }

    // Presses a button whose operation shows one box, answering it.
    QStringList press(const char* button)
    {
        MessageBox::setNextAnswer(QMessageBox::Ok);
        child(button)->click();
        return answeredBoxes();
    }

protected:
    // What the user saw of each stage, even while an operation holds the event loop.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* bar = qobject_cast<StatusBar*>(watched);
        if (bar != nullptr && event->type() == QEvent::Paint && bar->isVisible() &&
            (m_painted.isEmpty() || m_painted.constLast() != bar->firstPanelText()))
            m_painted.append(bar->firstPanelText());
        return false;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_answers.clear();
        m_painted.clear();
        m_form = new MainWindow();
        child<OpenFileDialog>("CommonDialog1")
            ->setRunner([this](const OpenFileRequest&) -> std::optional<QString> {
                return m_answers.isEmpty() ? std::nullopt : std::optional(m_answers.takeFirst());
            });
        child<StatusBar>("StatusBar1")->installEventFilter(this);
        QVERIFY(showActive(*m_form));
    }

    void cleanup()
    {
        delete m_form.data();
        QLocale::setDefault(QLocale::system());
        QCOMPARE(answeredBoxes(), QStringList());
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void tabOrderFollowsTheControlsEachNamed()
    {
        QCOMPARE(QApplication::focusWidget(), password());
        for (const char* name : {"browse", "Text2", "encrip", "decrip", "exit", "Text1"}) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(!spoken(focused).isEmpty(), qPrintable(focused->objectName()));
            QTest::keyClick(focused, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
        }
        // The instructions are no tab stop, but pass Tab on along the order once clicked into.
        auto* instructions = child<QPlainTextEdit>("Text3");
        const QString text = instructions->toPlainText();
        for (const auto& [key, next] :
             {std::pair{Qt::Key_Tab, "Text1"}, {Qt::Key_Backtab, "exit"}}) {
            QTest::mouseClick(instructions->viewport(), Qt::LeftButton, {}, {20, 5});
            QCOMPARE(QApplication::focusWidget(), instructions);
            QTest::keyClick(instructions, key);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
        QCOMPARE(instructions->toPlainText(), text);
    }

    void keysPressTheirControls_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("control");
        const int alt = Qt::AltModifier;
        QTest::newRow("Alt+B") << "Text1" << int(Qt::Key_B) << alt << "browse";
        QTest::newRow("Alt+D") << "Text1" << int(Qt::Key_D) << alt << "decrip";
        QTest::newRow("Alt+A") << "Text1" << int(Qt::Key_A) << alt << "abt";
        QTest::newRow("Alt+H") << "Text1" << int(Qt::Key_H) << alt << "hlp";
        QTest::newRow("Enter on Browse") << "browse" << int(Qt::Key_Return) << 0 << "browse";
        QTest::newRow("Enter on Encrypt") << "encrip" << int(Qt::Key_Enter) << 0 << "encrip";
        QTest::newRow("Enter on Exit") << "exit" << int(Qt::Key_Return) << 0 << "exit";
    }

    void keysPressTheirControls()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, control);
        QObject* target = m_form->findChild<QObject*>(control);
        QSignalSpy pressed(target, qobject_cast<QAction*>(target) != nullptr
                                       ? SIGNAL(triggered(bool))
                                       : SIGNAL(clicked(bool)));
        // Encrypt and Decrypt refuse the empty password in a box; About is closed once open.
        const bool refused = control == "encrip" || control == "decrip";
        if (refused)
            MessageBox::setNextAnswer(QMessageBox::Ok);
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        child<QWidget>(qPrintable(focus))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QTRY_COMPARE(pressed.count(), 1);
        QCOMPARE(answeredBoxes(), refused ? QStringList("No Password | Enter a Password | Warning "
                                                        "| 1 button, modal, wide")
                                          : QStringList());
        delete m_form->findChild<QWidget*>(QStringLiteral("HelpViewer"));
    }

    void moreThanEightCharactersMoveFocusToBrowse()
    {
        QWidget* browse = child("browse");
        typePassword(QStringLiteral("12345678"));
        QCOMPARE(QApplication::focusWidget(), password());
        QTest::keyClick(password(), Qt::Key_9);
        QCOMPARE(password()->text(), QStringLiteral("123456789"));
        QCOMPARE(QApplication::focusWidget(), browse);

        typePassword(QString());
        QApplication::clipboard()->setText(QStringLiteral("abcdefghijkl"));
        password()->paste();
        QCOMPARE(password()->text(), QStringLiteral("abcdefghijkl"));
        QCOMPARE(QApplication::focusWidget(), browse);

        for (int remaining = 11; remaining >= 8; --remaining) {
            password()->setFocus();
            password()->end(false);
            QTest::keyClick(password(), Qt::Key_Backspace);
            QCOMPARE(password()->text().size(), remaining);
            QCOMPARE(QApplication::focusWidget(), remaining > 8 ? browse : password());
        }
    }

    void passwordBoxTakesOnlyWindows1252CharactersAndHidesThem()
    {
        password()->setFocus();
        for (const QString& key :
             {QStringLiteral("p"), QStringLiteral("\u03A9"), QStringLiteral("w")})
            QTest::sendKeyEvent(QTest::Click, password(), Qt::Key_unknown, key, Qt::NoModifier);
        QApplication::clipboard()->setText(QStringLiteral("\u00E9\u20AC\u4E2D\U0001F600!"));
        password()->paste();
        QCOMPARE(password()->text(), QStringLiteral("pw\u00E9\u20AC!"));
        QCOMPARE(m_form->passwordText(), QByteArray("pw\xE9\x80!"));
        QCOMPARE(password()->displayText(), QStringLiteral("*****"));
        for (const auto kind : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
            QVERIFY(!spoken(password(), kind).contains(password()->text()));
    }

    void passwordBoxTakesAnyLength()
    {
        const QString path = m_dir.filePath("long.txt");
        writeBytes(path, "text");
        choose(path);
        QApplication::clipboard()->setText(QString(40000, u'p'));
        password()->paste();
        QCOMPARE(password()->text().size(), 40000);
        // Too long to fingerprint: the operation fails, leaving the file as it was.
        QCOMPARE(press("encrip"),
                 QStringList("Program Error | An internal error has occured in the program | "
                             "Critical | 1 button, modal, wide"));
        QCOMPARE(readBytes(path), QByteArray("text"));
    }

    void fileBoxShowsTheDialogsFileName()
    {
        fileBox()->setText(QStringLiteral("typed by hand.txt"));
        child("browse")->click();
        QCOMPARE(fileBox()->text(), QString());
        QCOMPARE(m_form->chosenFileName(), QByteArray());

        const QString first = m_dir.filePath("first.txt");
        choose(first);
        fileBox()->setText(QStringLiteral("elsewhere.txt"));
        child("browse")->click();
        QCOMPARE(fileBox()->text(), first);
    }

    void operationsRunThroughTheWindow()
    {
        const QString path = m_dir.filePath("letter.txt");
        writeBytes(path, "Dear Ann,\r\nsee you");
        const QString typed = m_dir.filePath("typed.txt");
        writeBytes(typed, "theirs");
        choose(path);
        // Only the file chosen in the dialog is worked on, not one typed into the file box.
        fileBox()->setText(typed);
        QStringList boxes;
        for (const auto& [passwordText, button] :
             {std::pair{"secret", "encrip"}, {"SECRET", "decrip"}, {"secret", "decrip"}}) {
            typePassword(QString::fromLatin1(passwordText));
            boxes += press(button);
            QVERIFY(!child<StatusBar>("StatusBar1")->isVisible());
            QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
        }
        QCOMPARE(boxes, QStringList({"Encrypted | The selected File has been Encrypted and Saved | "
                                     "Information | 1 button, modal, wide",
                                     "Wrong Password,Access Denied | Wrong Password | Critical | 1 "
                                     "button, modal, wide",
                                     "Decripted | The selected File has been Decrypted and Saved | "
                                     "Information | 1 button, modal, wide"}));
        QCOMPARE(readBytes(path), QByteArray("Dear Ann,\r\nsee you\r\n"));
        QCOMPARE(readBytes(typed), QByteArray("theirs"));

        // The window is fresh: "Please Wait..." shows until the first stage text is set.
        const QString reading = QStringLiteral("Getting Data from the File...");
        const QString checking = QStringLiteral("Checking for Password...");
        QCOMPARE(m_painted,
                 QStringList({"Please Wait...", reading, "Encrypting the File...", checking,
                              reading, checking, reading, "Decrypting the File..."}));
    }

    void everyTextFitsItsBox()
    {
        // The fit is checked again under a font configuration with DejaVu alone, where every
        // face the windows are laid out for is missing.
        if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
            QVERIFY(!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
        // The widest clock and the longest stage text.
        child<QLabel>("Label3")->setText(QStringLiteral("10:58:58 PM"));
        m_form->setStageText(QStringLiteral("Getting Data from the File..."));
        QCOMPARE(misfits(*m_form), QStringList());
    }

    void iconIs32By32InAtMost256Colours()
    {
        QCOMPARE(m_form->windowIcon().availableSizes(), QList<QSize>({QSize(32, 32)}));
        const QImage stored(QStringLiteral(":/cindral/cindral.png"));
        QCOMPARE(stored.format(), QImage::Format_Indexed8);
        QVERIFY(stored.colorCount() <= 256);
    }

    void statusBarKeepsTheDesktopColours()
    {
        auto* bar = child<StatusBar>("StatusBar1");
        m_form->showStatusBar();
        const QImage shot = bar->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.width() / 2, 0),
                 QApplication::palette().color(QPalette::Window));
        QCOMPARE(bar->findChild<QLabel*>("Panel1")->palette().color(QPalette::WindowText),
                 QApplication::palette().color(QPalette::WindowText));
        m_form->hideStatusBar();
    }

    void dateAndClockFollowTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("timeFormat");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "."
                                << "HH:mm:ss";
        QTest::newRow("American") << QLocale(QLocale::English, QLocale::UnitedStates) << "/"
                                  << "h:mm:ss AP";
        QTest::newRow("Korean") << QLocale(QLocale::Korean, QLocale::SouthKorea) << ". "
                                << QStringLiteral("AP h'\uC2DC' m'\uBD84' s'\uCD08'");
        QTest::newRow("textual short date") << QLocale::c() << "/"
                                            << "HH:mm:ss";
    }

    void dateAndClockFollowTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        QFETCH(QString, timeFormat);
        QLocale::setDefault(locale);
        const QDateTime before = QDateTime::currentDateTime();
        MainWindow form;
        auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive() && timer->interval() == 1000);
        auto* clock = form.findChild<QLabel*>(QStringLiteral("Label3"));
        QCOMPARE(clock->text(), QString());
        timer->setInterval(1);
        QTRY_VERIFY(!clock->text().isEmpty());
        const QDateTime after = QDateTime::currentDateTime();

        const QString date = form.findChild<QLabel*>(QStringLiteral("Label2"))->text();
        const QString dateFormat = QStringLiteral("dd'%1'MM'%1'yyyy").arg(separator);
        QVERIFY2(date == before.toString(dateFormat) || date == after.toString(dateFormat),
                 qPrintable(date));
        QVERIFY2(clock->text() == locale.toString(before.time(), timeFormat) ||
                     clock->text() == locale.toString(after.time(), timeFormat),
                 qPrintable(clock->text()));
        QCOMPARE(unnamed(form, {"Label2", "Label3", "Text3", "StatusBar1"}), QStringList());
    }

    void droppingOneFileChoosesIt()
    {
        const QString file = m_dir.filePath("dropped.txt");
        writeBytes(file, "x");
        const auto drop = [this](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(m_form, &enter);
            QDropEvent dropped({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(m_form, &dropped);
            return enter.isAccepted() && dropped.isAccepted();
        };
        QVERIFY(!drop({QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)}));
        QVERIFY(!drop({QUrl::fromLocalFile(m_dir.path())}));
        QCOMPARE(m_form->chosenFileName(), QByteArray());

        QVERIFY(drop({QUrl::fromLocalFile(file)}));
        QCOMPARE(fileBox()->text(), file);
        QCOMPARE(m_form->chosenFileName(), QFile::encodeName(file));
    }

    void aNameThatIsNotUtf8IsNeverTakenForItsLookAlike()
    {
        const QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray latin1Name = folder + "/x\xe9.txt";
        const QByteArray lookAlike = folder + "/x\xef\xbf\xbd.txt";
        for (const auto& [name, content] :
             {std::pair{latin1Name, "first!"}, {lookAlike, "second"}}) {
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, content, 6), 6);
            ::close(fd);
        }
        choose(QFile::decodeName(latin1Name));
        typePassword(QStringLiteral("secret"));
        QCOMPARE(press("encrip"),
                 QStringList("File Error | The file does not exist or access to the file is "
                             "denied. | Critical | 1 button, modal, wide"));
        QCOMPARE(readBytes(QFile::decodeName(lookAlike)), QByteArray("second"));
        QFile latin1File;
        QVERIFY(latin1File.open(::open(latin1Name.constData(), O_RDONLY), QIODevice::ReadOnly,
                                QFileDevice::AutoCloseHandle));
        QCOMPARE(latin1File.readAll(), QByteArray("first!"));
        // Listed as text the two names are one; the folder's own listing tells them apart.
        DIR* listing = ::opendir(folder.constData());
        QByteArrayList entries;
        while (const dirent* entry = ::readdir(listing))
            entries.append(entry->d_name);
        ::closedir(listing);
        std::sort(entries.begin(), entries.end());
        QCOMPARE(entries, QByteArrayList({".", "..", "x\xe9.txt", "x\xef\xbf\xbd.txt"}));
        QCOMPARE(::unlink(latin1Name.constData()), 0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
