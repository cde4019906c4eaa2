#include "ui/Form2.h"

#include "UiTestSupport.h"
#include "ui/OpenFileDialog.h"
#include "ui/StatusBar.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <optional>

using namespace cindral::ui;
using namespace cindral::ui::test;

class Form2Test : public QObject
{
    Q_OBJECT

private:
    QPointer<Form2> m_form;
    QList<QString> m_answers; // the open-file dialog's next answers; it cancels once they run out
    QTemporaryDir m_dir;
    QTimer m_modalAnswerer;
    QStringList m_boxes;   // each message box answered: title | text | icon | buttons
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

    // Clicks OK on each message box, noting what it said; closes any other modal dialog.
    void answerModal()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            const bool modal = box->windowModality() == Qt::ApplicationModal;
            m_boxes.append(
                QStringLiteral("%1 | %2 | %3 | %4 %5")
                    .arg(box->windowTitle(), box->text(),
                         QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()),
                         QString::number(box->buttons().size()), modal ? "modal" : "modeless"));
            box->button(QMessageBox::Ok)->click();
        } else if (dialog != nullptr) {
            dialog->reject();
        }
    }

    // The operation must show one information box, then restore the pointer and status bar.
    void pressExpectingBox(const char* button, const QString& title, const QString& text)
    {
        m_boxes.clear();
        child(button)->click();
        QCOMPARE(m_boxes, QStringList(title + " | " + text + " | Information | 1 modal"));
        QVERIFY(!child<StatusBar>("StatusBar1")->isVisible());
        QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
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
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        connect(&m_modalAnswerer, &QTimer::timeout, this, &Form2Test::answerModal);
        m_modalAnswerer.start(0);
    }

    void init()
    {
        m_answers.clear();
        m_painted.clear();
        m_form = new Form2();
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
    }

    void accessKeyPressesItsControl_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("control");
        QTest::newRow("Alt+B") << int(Qt::Key_B) << QStringLiteral("browse");
        QTest::newRow("Alt+E") << int(Qt::Key_E) << QStringLiteral("encrip");
        QTest::newRow("Alt+D") << int(Qt::Key_D) << QStringLiteral("decrip");
        QTest::newRow("Alt+A") << int(Qt::Key_A) << QStringLiteral("abt");
        QTest::newRow("Alt+H") << int(Qt::Key_H) << QStringLiteral("hlp");
    }

    void accessKeyPressesItsControl()
    {
        QFETCH(int, key);
        QFETCH(QString, control);
        QObject* target = m_form->findChild<QObject*>(control);
        QSignalSpy pressed(target, qobject_cast<QAction*>(target) != nullptr
                                       ? SIGNAL(triggered(bool))
                                       : SIGNAL(clicked(bool)));
        QTest::keyClick(m_form, Qt::Key(key), Qt::AltModifier);
        QTRY_COMPARE(pressed.count(), 1);
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

    void fileBoxShowsTheDialogsFileName()
    {
        fileBox()->setText(QStringLiteral("typed by hand.txt"));
        child("browse")->click();
        QCOMPARE(fileBox()->text(), QString());
        QCOMPARE(m_form->chosenFileName(), QByteArray());

        const QString first = m_dir.filePath("first.txt");
        m_answers.append(first);
        child("browse")->click();
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
        m_answers.append(path);
        child("browse")->click();
        // Only the file chosen in the dialog is worked on, not one typed into the file box.
        fileBox()->setText(typed);
        typePassword(QStringLiteral("secret"));

        pressExpectingBox("encrip", QStringLiteral("Encrypted"),
                          QStringLiteral("The selected File has been Encrypted and Saved"));
        QVERIFY(readBytes(path).startsWith('\xA9'));
        QCOMPARE(readBytes(typed), QByteArray("theirs"));
        pressExpectingBox("decrip", QStringLiteral("Decripted"),
                          QStringLiteral("The selected File has been Decrypted and Saved"));
        QCOMPARE(readBytes(path), QByteArray("Dear Ann,\r\nsee you\r\n"));

        // The window is fresh: "Please Wait..." shows until the first stage text is set.
        const QString reading = QStringLiteral("Getting Data from the File...");
        QCOMPARE(m_painted,
                 QStringList({"Please Wait...", reading, "Encrypting the File...",
                              "Checking for Password...", reading, "Decrypting the File..."}));
    }

    void everyTextFitsItsBox()
    {
        // The widest clock and the longest stage text.
        child<QLabel>("Label3")->setText(QStringLiteral("10:58:58 PM"));
        m_form->setStageText(QStringLiteral("Getting Data from the File..."));
        expectTextsFit(*m_form);
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
        Form2 form;
        auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive() && timer->interval() == 1000);
        auto* clock = form.findChild<QLabel*>(QStringLiteral("Label3"));
        QCOMPARE(clock->text(), QString());
        QVERIFY(QMetaObject::invokeMethod(&form, "Timer1_Timer"));
        const QDateTime after = QDateTime::currentDateTime();

        const QString date = form.findChild<QLabel*>(QStringLiteral("Label2"))->text();
        const QString dateFormat = QStringLiteral("dd'%1'MM'%1'yyyy").arg(separator);
        QVERIFY2(date == before.toString(dateFormat) || date == after.toString(dateFormat),
                 qPrintable(date));
        QVERIFY2(clock->text() == locale.toString(before.time(), timeFormat) ||
                     clock->text() == locale.toString(after.time(), timeFormat),
                 qPrintable(clock->text()));
        expectNamed(form, {"Label2", "Label3", "Text3", "StatusBar1"});
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
};

QTEST_MAIN(Form2Test)
#include "Form2Test.moc"
