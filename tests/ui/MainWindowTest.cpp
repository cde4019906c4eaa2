// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/MainWindow.h"

#include "WindowTest.h"
#include "support/ExampleTexts.h"
#include "support/ScratchFiles.h"
#include "ui/MessageBox.h"
#include "ui/OpenFileDialog.h"
#include "ui/StatusBar.h"

#include <QAction>
#include <QClipboard>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <optional>
#include <unistd.h>

using namespace cindral::ui;
using namespace cindral::ui::test;
using example::shift8Password;

namespace {

// The boxes the operations end with.
const QString encryptedBox =
    "Encrypted | The selected File has been Encrypted and Saved | Information";
const QString decryptedBox =
    "Decripted | The selected File has been Decrypted and Saved | Information";
const QString wrongPasswordBox = "Wrong Password,Access Denied | Wrong Password | Critical";
const QString illegalBox = "Encryption Error | The file to be Encrypted has some illegal "
                           "Characters which you cannot Encrypt | Critical";
const QString programErrorBox =
    "Program Error | An internal error has occured in the program | Critical";

} // namespace

class MainWindowTest : public WindowTest
{
    Q_OBJECT

private:
    QStringList m_answers;     // the open-file dialog's next answers; it cancels once they run out
    OpenFileRequest m_request; // what the dialog was last shown with
    QTemporaryDir m_dir;
    QStringList m_painted; // the stage text each time the status bar was drawn on screen
    qint64 m_now = 0;      // a slow window's clock, in milliseconds

    MainWindow* form() const { return qobject_cast<MainWindow*>(m_window.data()); }
    QPushButton* button(const QString& name) const { return child<QPushButton>(name); }
    QLineEdit* password() const { return child<QLineEdit>("Text1"); }
    QLineEdit* fileBox() const { return child<QLineEdit>("Text2"); }
    void choose(const QString& path)
    {
        m_answers.append(path);
        button("browse")->click();
    }
    void pastePassword(const QString& text)
    {
        password()->clear();
        QApplication::clipboard()->setText(text);
        password()->paste();
    }
    // Presses a button whose operation shows one box, answering it.
    QStringList press(const char* button)
    {
        MessageBox::setNextAnswer(QMessageBox::Ok);
        this->button(button)->click();
        return answeredBoxes();
    }

    // A window whose operations work in pieces of 1 KiB, each taking 100 ms by its clock.
    void openSlowWindow(const QByteArray& content)
    {
        delete m_window.data();
        m_window = new MainWindow([this] { return m_now += 100; }, 1024);
        QVERIFY(showActive(*m_window));
        password()->setText(QStringLiteral("secret"));
        writeBytes(m_dir.filePath("file.txt"), content);
        form()->chooseFile(m_dir.filePath("file.txt"));
    }

protected:
    void open() override
    {
        m_answers.clear();
        m_painted.clear();
        m_window = new MainWindow();
        child<OpenFileDialog>("CommonDialog1")->setRunner([this](const OpenFileRequest& request) {
            m_request = request;
            return m_answers.isEmpty() ? std::nullopt : std::optional(m_answers.takeFirst());
        });
        child<StatusBar>("StatusBar1")->installEventFilter(this);
        QVERIFY(showActive(*m_window));
    }

    // What the user saw of each stage, even while an operation holds the event loop.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* bar = qobject_cast<StatusBar*>(watched);
        if (bar != nullptr && event->type() == QEvent::Paint &&
            m_painted.value(m_painted.size() - 1) != bar->firstPanelText())
            m_painted.append(bar->firstPanelText());
        return false;
    }

private slots:
    void tabOrderFollowsTheControls()
    {
        for (const char* name : {"browse", "Text2", "encrip", "decrip", "exit", "Text1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
        }
        // The instructions are no tab stop, but pass Tab on along the order once clicked into.
        auto* instructions = child<QPlainTextEdit>("Text3");
        for (const auto& [key, next] :
             {std::pair{Qt::Key_Tab, "Text1"}, {Qt::Key_Backtab, "exit"}}) {
            QTest::mouseClick(instructions->viewport(), Qt::LeftButton, {}, {20, 5});
            QCOMPARE(QApplication::focusWidget(), instructions);
            QTest::keyClick(instructions, key);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
    }

    void keysPressTheirControls_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("control");
        QTest::newRow("Alt+B") << "Text1" << QKeySequence("Alt+B") << "browse";
        QTest::newRow("Alt+D") << "Text1" << QKeySequence("Alt+D") << "decrip";
        QTest::newRow("Alt+A") << "Text1" << QKeySequence("Alt+A") << "abt";
        QTest::newRow("Alt+H") << "Text1" << QKeySequence("Alt+H") << "hlp";
        QTest::newRow("Enter on Browse") << "browse" << QKeySequence(Qt::Key_Return) << "browse";
    }

    void keysPressTheirControls()
    {
        QFETCH(QString, focus);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, control);
        QObject* target = m_window->findChild<QObject*>(control);
        QSignalSpy pressed(target, qobject_cast<QAction*>(target) != nullptr
                                       ? SIGNAL(triggered(bool))
                                       : SIGNAL(clicked(bool)));
        // Encrypt and Decrypt refuse the empty password in a box; About is closed once open.
        const bool refused = control.endsWith("crip");
        if (refused)
            MessageBox::setNextAnswer(QMessageBox::Ok);
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        child(focus)->setFocus();
        QTest::keySequence(QApplication::focusWidget(), keys);
        QTRY_COMPARE(pressed.count(), 1);
        QCOMPARE(answeredBoxes(),
                 refused ? QStringList("No Password | Enter a Password | Warning") : QStringList());
    }

    void moreThanEightCharactersMoveFocusToBrowse()
    {
        QWidget* browse = button("browse");
        QTest::keyClicks(password(), QStringLiteral("12345678"));
        QCOMPARE(QApplication::focusWidget(), password());
        QTest::keyClick(password(), Qt::Key_9);
        QCOMPARE(password()->text(), QStringLiteral("123456789"));
        QCOMPARE(QApplication::focusWidget(), browse);

        pastePassword(QStringLiteral("abcdefghijkl"));
        QCOMPARE(QApplication::focusWidget(), browse);
        for (int remaining = 11; remaining >= 8; --remaining) {
            password()->setFocus();
            QTest::keyClick(password(), Qt::Key_Backspace);
            QCOMPARE(password()->text().size(), remaining);
            QCOMPARE(QApplication::focusWidget(), remaining > 8 ? browse : password());
        }
    }

    void passwordBoxTakesOnlyWindows1252CharactersAndHidesThem()
    {
        for (const QString& key :
             {QStringLiteral("p"), QStringLiteral("\u03A9"), QStringLiteral("w")})
            QTest::sendKeyEvent(QTest::Click, password(), Qt::Key_unknown, key, Qt::NoModifier);
        QApplication::clipboard()->setText(QStringLiteral("\u00E9\u20AC\u4E2D\U0001F600!"));
        password()->paste();
        QCOMPARE(password()->text(), QStringLiteral("pw\u00E9\u20AC!"));
        QCOMPARE(form()->passwordText(), QByteArray("pw\xE9\x80!"));
        QCOMPARE(password()->displayText(), QStringLiteral("*****"));
        for (const auto kind : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
            QVERIFY(!spoken(password(), kind).contains(password()->text()));
    }

    void operationsWorkOnTheFileChosenInTheDialog()
    {
        const QString path = m_dir.filePath("letter.txt");
        const QString typed = m_dir.filePath("typed.txt");
        writeBytes(path, "Dear Ann,\r\nsee you\x05");
        writeBytes(typed, "theirs");
        // A cancelled dialog puts back the file chosen last, none before the first choice.
        fileBox()->setText(typed);
        button("browse")->click();
        QCOMPARE(fileBox()->text(), QString());
        choose(path);
        QCOMPARE(m_request.filters.size(), 8);
        QCOMPARE(m_request.filters.at(m_request.filterIndex - 1),
                 (FileFilter{"Text Files(*.txt)", "*.txt"}));
        fileBox()->setText(typed);
        button("browse")->click();
        QCOMPARE(fileBox()->text(), path);
        // A name typed into the file box is not worked on.
        fileBox()->setText(typed);
        // Under shift8Password the code 5 would become a CR, which decryption would drop. The last
        // password is too long to fingerprint: the box takes it, the operation fails. A wrong one
        // is selected whole, to be typed over.
        const struct
        {
            QString password;
            const char* button;
            QString box;
            bool selected = false;
        } rows[] = {
            {.password = "secret", .button = "encrip", .box = encryptedBox},
            {.password = "SECRET", .button = "decrip", .box = wrongPasswordBox, .selected = true},
            {.password = "secret", .button = "decrip", .box = decryptedBox},
            {.password = QString::fromLatin1(shift8Password),
             .button = "encrip",
             .box = illegalBox},
            {.password = QString(40000, u'p'), .button = "encrip", .box = programErrorBox},
        };
        for (const auto& row : rows) {
            pastePassword(row.password);
            QCOMPARE(password()->text().size(), row.password.size());
            QCOMPARE(press(row.button), QStringList(row.box));
            if (row.selected)
                QCOMPARE(password()->selectedText(), row.password);
            QVERIFY(!child<StatusBar>("StatusBar1")->isVisible());
            QCOMPARE(form()->cursor().shape(), Qt::ArrowCursor);
        }
        QCOMPARE(readBytes(path), QByteArray("Dear Ann,\r\nsee you\x05\r\n"));
        QCOMPARE(readBytes(typed), QByteArray("theirs"));
        // The window is fresh: "Please Wait..." shows until the first stage text is set.
        const QString reading = QStringLiteral("Getting Data from the File...");
        const QString encrypting = QStringLiteral("Encrypting the File...");
        const QString checking = QStringLiteral("Checking for Password...");
        QCOMPARE(m_painted, QStringList({"Please Wait...", reading, encrypting, checking, reading,
                                         checking, reading, "Decrypting the File...", reading,
                                         encrypting, reading, encrypting}));
    }

    void everyTextFitsItsBoxAndEveryControlHasAName()
    {
        // Run again under fonts of DejaVu alone, where every face the windows ask for is missing.
        if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
            QVERIFY(!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
        // The widest clock and the longest stage text.
        child<QLabel>("Label3")->setText(QStringLiteral("10:58:58 PM"));
        form()->setStageText(QStringLiteral("Getting Data from the File..."));
        QCOMPARE(clippedTexts(*m_window), QStringList());
        for (const char* name : {"Text1", "browse", "Text2", "encrip", "decrip", "exit", "Label2",
                                 "Label3", "Text3", "StatusBar1"})
            QVERIFY2(!spoken(child<QWidget>(name)).trimmed().isEmpty(), name);
    }

    void statusBarKeepsTheDesktopColours()
    {
        form()->showStatusBar();
        const QImage shot = child<StatusBar>("StatusBar1")->grab().toImage();
        const QPalette desktop = QApplication::palette();
        QCOMPARE(shot.pixelColor(shot.width() / 2, 0), desktop.color(QPalette::Window));
        QCOMPARE(child<QLabel>("Panel1")->palette().color(QPalette::WindowText),
                 desktop.color(QPalette::WindowText));
    }

    void dateAndClockFollowTheLocale()
    {
        const auto systemLocale = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        // The C locale's short date is in words, with no separator of its own.
        for (const auto& [locale, separator, timeFormat] :
             {std::tuple{QLocale("de_DE"), ".", "HH:mm:ss"},
              {QLocale("en_US"), "/", "h:mm:ss AP"},
              {QLocale("ko_KR"), ". ", "AP h'\uC2DC' m'\uBD84' s'\uCD08'"},
              {QLocale::c(), "/", "HH:mm:ss"}}) {
            QLocale::setDefault(locale);
            const QDateTime before = QDateTime::currentDateTime();
            MainWindow form;
            auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer1"));
            QVERIFY(timer->isActive() && timer->interval() == 1000);
            auto* clock = form.findChild<QLabel*>(QStringLiteral("Label3"));
            QCOMPARE(clock->text(), QString());
            timer->setInterval(1);
            QTRY_VERIFY(!clock->text().isEmpty());
            // Either side of a second's turn.
            const QDateTime after = QDateTime::currentDateTime();
            const auto shows = [&](const QString& text, const QString& format) {
                return text == locale.toString(before, format) ||
                       text == locale.toString(after, format);
            };
            const QString date = form.findChild<QLabel*>(QStringLiteral("Label2"))->text();
            QVERIFY2(shows(date, QStringLiteral("dd'%1'MM'%1'yyyy").arg(separator)),
                     qPrintable(date));
            QVERIFY2(shows(clock->text(), timeFormat), qPrintable(clock->text()));
        }
    }

    void droppingOneFileChoosesIt()
    {
        const QString file = m_dir.filePath("dropped.txt");
        writeBytes(file, "x");
        const auto drop = [this](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(m_window, &enter);
            QDropEvent dropped({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(m_window, &dropped);
            return enter.isAccepted() && dropped.isAccepted();
        };
        QVERIFY(!drop({QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)}));
        QVERIFY(!drop({QUrl::fromLocalFile(m_dir.path())}));
        QCOMPARE(form()->chosenFileName(), QByteArray());
        QVERIFY(drop({QUrl::fromLocalFile(file)}));
        QCOMPARE(fileBox()->text(), file);
        QCOMPARE(form()->chosenFileName(), QFile::encodeName(file));
    }

    void aNameThatIsNotUtf8IsNeverTakenForItsLookAlike()
    {
        const QTemporaryDir dir;
        const QByteArray latin1Name = QFile::encodeName(dir.filePath("x")) + "\xe9.txt";
        const QByteArray lookAlike = QFile::encodeName(dir.filePath("x")) + "\xef\xbf\xbd.txt";
        writeBytes(latin1Name, "first!");
        writeBytes(lookAlike, "second");
        choose(QFile::decodeName(latin1Name));
        pastePassword(QStringLiteral("secret"));
        QCOMPARE(press("encrip"), QStringList("File Error | The file does not exist or access to "
                                              "the file is denied. | Critical"));
        QCOMPARE(readBytes(latin1Name), QByteArray("first!"));
        QCOMPARE(readBytes(lookAlike), QByteArray("second"));
        // Listed as text the two names are one; nothing was left beside them.
        QCOMPARE(entriesOf(dir.path()), QStringList(QStringLiteral("x\uFFFD.txt")));
        // The folder is removed by names as text, which miss the one that is not UTF-8. Alone, the
        // name that shows U+FFFD in UTF-8 is its own file.
        QCOMPARE(::unlink(latin1Name.constData()), 0);
        QCOMPARE(press("encrip"), QStringList(encryptedBox));
    }

    void longWorkKeepsTheWindowAliveDeafToInput_data()
    {
        QTest::addColumn<int>("pieces");
        QTest::newRow("long: the share shows") << 40;
        QTest::newRow("small: it never shows") << 3;
    }

    void longWorkKeepsTheWindowAliveDeafToInput()
    {
        QFETCH(int, pieces);
        openSlowWindow(QByteArray("Lines of text\r\n").repeated(pieces * 1024 / 15));
        auto* clock = child<QLabel>("Label3");
        clock->clear();
        child<QTimer>("Timer1")->setInterval(0);
        // Sampled each time the work lets the event loop run; a box shown by input is closed.
        QStringList shares;
        bool ticked = false;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] {
            shares.append(child<QLabel>("Panel2")->text());
            ticked = ticked || !clock->text().isEmpty();
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                box->done(0);
        });
        sampler.start(0);
        QTimer::singleShot(0, [this] {
            QWindow* window = m_window->windowHandle();
            QTest::keyClick(window, Qt::Key_X);
            QTest::keyClick(m_window, Qt::Key_E, Qt::AltModifier);
            QTest::mouseClick(window, Qt::LeftButton, {},
                              button("encrip")->mapTo(m_window, QPoint(5, 5)));
            QCOMPARE(QApplication::focusWidget(), password());
            window->close();
            QVERIFY(m_window->isVisible());
        });
        QCOMPARE(press("encrip"), QStringList(encryptedBox));
        QVERIFY(ticked && !shares.isEmpty() && shares.first().isEmpty());
        QCOMPARE(password()->text(), QStringLiteral("secret"));
        QCOMPARE(child<QLabel>("Panel2")->text(), QString());
        shares.removeAll(QString());
        shares.removeDuplicates();
        QCOMPARE(shares.isEmpty(), pieces < 10);
        for (qsizetype i = 1; i < shares.size(); ++i)
            QVERIFY2(shares[i - 1].chopped(1).toInt() < shares[i].chopped(1).toInt(),
                     qPrintable(shares.join(u' ')));
        QVERIFY(shares.isEmpty() || shares.constLast() == QStringLiteral("100%"));
        // The close held through the work is carried out once its box has been answered.
        QVERIFY(!m_window->isVisible());
    }

    void aBoxShownMidWayTakesKeys()
    {
        openSlowWindow("\xA9text99");
        QTimer::singleShot(0, [] {
            QTest::keyClick(QApplication::activeModalWidget()->windowHandle(), Qt::Key_Escape);
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                box->done(0);
                QFAIL("the box took no key");
            }
        });
        button("decrip")->click();
        QCOMPARE(password()->selectedText(), QStringLiteral("secret"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
