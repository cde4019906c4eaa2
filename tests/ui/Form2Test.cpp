#include "ui/Form2.h"

#include "MessageBoxAnswerer.h"
#include "ScriptedOpenDialog.h"
#include "StagePaintRecorder.h"
#include "UiTestSupport.h"
#include "ui/FrmAbout.h"
#include "ui/HelpChannel.h"
#include "ui/OpenFileDialog.h"
#include "ui/RegionalFormat.h"
#include "ui/StatusBar.h"

#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

using namespace cindral;
using namespace cindral::ui;
using namespace cindral::ui::test;

class Form2Test : public QObject
{
    Q_OBJECT

private:
    QPointer<Form2> m_form;
    ScriptedOpenDialog m_dialog;
    QTemporaryDir m_dir;

    template <typename T> T* child(const char* name) const
    {
        T* found = m_form->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no child %s", name);
        return found;
    }

    QLineEdit* password() const { return child<QLineEdit>("Text1"); }
    QLineEdit* fileBox() const { return child<QLineEdit>("Text2"); }
    StatusBar* statusBar() const { return child<StatusBar>("StatusBar1"); }

    QString scratchFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_dir.filePath(name);
        writeBytes(path, bytes);
        return path;
    }

    void choose(const QString& path)
    {
        m_dialog.acceptNext(path);
        child<QPushButton>("browse")->click();
    }

    void typePassword(const QString& text)
    {
        password()->clear();
        password()->setFocus();
        QTest::keyClicks(password(), text);
    }

    void expectRestored()
    {
        QVERIFY(!statusBar()->isVisible());
        QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_dialog = {};
        m_form = new Form2();
        child<OpenFileDialog>("CommonDialog1")->setRunner(m_dialog.runner());
        QVERIFY(showActive(*m_form));
    }

    void cleanup()
    {
        delete m_form.data();
        QLocale::setDefault(QLocale::system());
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void tabOrderFollowsTheControls()
    {
        QCOMPARE(QApplication::focusWidget(), password());
        const QStringList expected{"browse", "Text2", "encrip", "decrip", "exit", "Text1"};
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void accessKeysPressTheirControls()
    {
        // A button pressed by its access key shows itself pressed for a moment, then clicks.
        QTest::keyClick(m_form, Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(m_dialog.requests().size(), 1);
        {
            MessageBoxAnswerer answerer(m_form);
            QTest::keyClick(m_form, Qt::Key_E, Qt::AltModifier);
            QTRY_COMPARE(answerer.boxes().size(), 1);
            QVERIFY(showActive(*m_form));
            QTest::keyClick(m_form, Qt::Key_D, Qt::AltModifier);
            QTRY_COMPARE(answerer.boxes().size(), 2);
            QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Enter a Password"));
            QCOMPARE(answerer.boxes().at(1).text, QStringLiteral("Enter a Password"));
        }
        {
            bool aboutOpened = false;
            QTimer closer;
            connect(&closer, &QTimer::timeout, [&aboutOpened] {
                if (auto* about = qobject_cast<FrmAbout*>(QApplication::activeModalWidget())) {
                    aboutOpened = true;
                    about->reject();
                }
            });
            closer.start(0);
            QVERIFY(showActive(*m_form));
            QTest::keyClick(m_form, Qt::Key_A, Qt::AltModifier);
            QTRY_VERIFY(aboutOpened);
        }
        {
            auto* help = child<HelpChannel>("CommonDialog2");
            help->setSearchFolders({m_dir.path()});
            writeBytes(m_dir.filePath(QStringLiteral("Cinhelp.hlp")), "<h1>Contents</h1>");
            QVERIFY(showActive(*m_form));
            QTest::keyClick(m_form, Qt::Key_H, Qt::AltModifier);
            QTRY_VERIFY(help->viewer() != nullptr && help->viewer()->isVisible());
        }
    }

    void ninthCharacterMovesFocusToBrowse()
    {
        QWidget* browse = child<QPushButton>("browse");
        {
            typePassword(QStringLiteral("12345678"));
            QCOMPARE(QApplication::focusWidget(), password());
            QTest::keyClick(password(), Qt::Key_9);
            QCOMPARE(password()->text(), QStringLiteral("123456789"));
            QCOMPARE(QApplication::focusWidget(), browse);
        }
        {
            password()->clear();
            password()->setFocus();
            QApplication::clipboard()->setText(QStringLiteral("abcdefghijkl"));
            password()->paste();
            QCOMPARE(password()->text(), QStringLiteral("abcdefghijkl"));
            QCOMPARE(QApplication::focusWidget(), browse);
        }
        {
            // Every deletion that leaves more than eight moves the focus away again.
            for (int remaining = 11; remaining >= 9; --remaining) {
                password()->setFocus();
                password()->end(false);
                QTest::keyClick(password(), Qt::Key_Backspace);
                QCOMPARE(password()->text().size(), remaining);
                QCOMPARE(QApplication::focusWidget(), browse);
            }
            password()->setFocus();
            QTest::keyClick(password(), Qt::Key_Backspace);
            QCOMPARE(QApplication::focusWidget(), password());
        }
    }

    void passwordBoxTakesOnlyWindows1252Characters()
    {
        password()->setFocus();
        for (const QString& key :
             {QStringLiteral("p"), QStringLiteral("\u03A9"), QStringLiteral("w")})
            QTest::sendKeyEvent(QTest::Click, password(), Qt::Key_unknown, key, Qt::NoModifier);
        QCOMPARE(password()->text(), QStringLiteral("pw"));

        QApplication::clipboard()->setText(QStringLiteral("\u00E9\u20AC\u4E2D\U0001F600!"));
        password()->paste();
        QCOMPARE(password()->text(), QStringLiteral("pw\u00E9\u20AC!"));
        QCOMPARE(m_form->passwordText(), QByteArray("pw\xE9\x80!"));
        QCOMPARE(password()->displayText(), QStringLiteral("*****"));
    }

    void fileBoxShowsTheDialogsFileName()
    {
        QPushButton* browse = child<QPushButton>("browse");
        {
            fileBox()->setText(QStringLiteral("typed by hand.txt"));
            m_dialog.cancelNext();
            browse->click();
            QCOMPARE(fileBox()->text(), QString());
            QCOMPARE(m_form->chosenFileName(), QString());
        }
        const QString first = scratchFile(QStringLiteral("first.txt"), "a");
        {
            choose(first);
            QCOMPARE(fileBox()->text(), first);
            fileBox()->setText(QStringLiteral("elsewhere.txt"));
            m_dialog.cancelNext();
            browse->click();
            QCOMPARE(fileBox()->text(), first);
        }
        {
            const OpenFileRequest& request = m_dialog.requests().constLast();
            QCOMPARE(request.fileName, first);
            QCOMPARE(request.filterIndex, 1);
            const QList<FileFilter> expected{
                {QStringLiteral("Text Files(*.txt)"), QStringLiteral("*.txt")},
                {QStringLiteral("Batch Files (*.bat)"), QStringLiteral("*.bat")},
                {QStringLiteral("Java Files (*.java)"), QStringLiteral("*.java")},
                {QStringLiteral("C Files (*.c)"), QStringLiteral("*.c")},
                {QStringLiteral("C++ Files (*.cpp)"), QStringLiteral("*.cpp")},
                {QStringLiteral("Html Files (*.html)"), QStringLiteral("*.html")},
                {QStringLiteral("Html Files (*.htm)"), QStringLiteral("*.htm")},
                {QStringLiteral("ASP Files (*.asp)"), QStringLiteral("*.asp")},
            };
            QCOMPARE(request.filters, expected);
        }
    }

    void encryptAndDecryptThroughTheWindow()
    {
        const QString path = scratchFile(QStringLiteral("letter.txt"), "Dear Ann,\r\nsee you");
        choose(path);
        typePassword(QStringLiteral("secret"));
        StagePaintRecorder recorder(statusBar());
        {
            MessageBoxAnswerer answerer(m_form);
            child<QPushButton>("encrip")->click();
            QCOMPARE(answerer.boxes().size(), 1);
            const SeenBox& box = answerer.boxes().constFirst();
            QCOMPARE(box.text, QStringLiteral("The selected File has been Encrypted and Saved"));
            QCOMPARE(box.title, QStringLiteral("Encrypted"));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttonCount, 1);
            QVERIFY(!box.statusBarVisible);
            expectRestored();
            QVERIFY(readBytes(path).startsWith('\xA9'));
        }
        QCOMPARE(recorder.painted(), QStringList({"Please Wait...", "Getting Data from the File...",
                                                  "Encrypting the File..."}));
        {
            MessageBoxAnswerer answerer(m_form);
            child<QPushButton>("decrip")->click();
            QCOMPARE(answerer.boxes().size(), 1);
            QCOMPARE(answerer.boxes().constFirst().title, QStringLiteral("Decripted"));
            QCOMPARE(answerer.boxes().constFirst().icon, QMessageBox::Information);
            expectRestored();
            QCOMPARE(readBytes(path), QByteArray("Dear Ann,\r\nsee you\r\n"));
        }
        QCOMPARE(recorder.painted().mid(3),
                 QStringList({"Checking for Password...", "Getting Data from the File...",
                              "Decrypting the File..."}));
    }

    void pleaseWaitShowsBeforeAnyStageText()
    {
        StagePaintRecorder recorder(statusBar());
        MessageBoxAnswerer answerer(m_form);
        child<QPushButton>("encrip")->click();
        QCOMPARE(recorder.painted(), QStringList({"Please Wait..."}));
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().constFirst().title, QStringLiteral("No Password"));
        QCOMPARE(answerer.boxes().constFirst().icon, QMessageBox::Warning);
        QVERIFY(answerer.boxes().constFirst().applicationModal);
        expectRestored();
        QCOMPARE(m_form->focusWidget(), password());
    }

    void wrongPasswordIsReportedWhileBusy()
    {
        const QString path = scratchFile(QStringLiteral("locked.txt"), "plain");
        choose(path);
        typePassword(QStringLiteral("right"));
        {
            MessageBoxAnswerer answerer(m_form);
            child<QPushButton>("encrip")->click();
        }
        const QByteArray encrypted = readBytes(path);
        typePassword(QStringLiteral("wrong"));
        MessageBoxAnswerer answerer(m_form);
        child<QPushButton>("decrip")->click();
        QCOMPARE(answerer.boxes().size(), 1);
        const SeenBox& box = answerer.boxes().constFirst();
        QCOMPARE(box.text, QStringLiteral("Wrong Password"));
        QCOMPARE(box.title, QStringLiteral("Wrong Password,Access Denied"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY(box.statusBarVisible);
        QVERIFY(box.busyPointer);
        expectRestored();
        QCOMPARE(readBytes(path), encrypted);
        QCOMPARE(m_form->focusWidget(), password());
        QCOMPARE(password()->selectedText().size(), 5);
    }

    void theChosenFileIsWorkedOnNotTheFileBox()
    {
        const QString chosen = scratchFile(QStringLiteral("chosen.txt"), "mine");
        const QString typed = scratchFile(QStringLiteral("typed.txt"), "theirs");
        choose(chosen);
        fileBox()->setText(typed);
        typePassword(QStringLiteral("secret"));
        MessageBoxAnswerer answerer(m_form);
        child<QPushButton>("encrip")->click();
        QCOMPARE(answerer.boxes().constFirst().title, QStringLiteral("Encrypted"));
        QVERIFY(readBytes(chosen).startsWith('\xA9'));
        QCOMPARE(readBytes(typed), QByteArray("theirs"));
    }

    void dateUsesTheLocalesSeparator()
    {
        const struct
        {
            QLocale locale;
            QString separator;
        } cases[] = {{QLocale(QLocale::German, QLocale::Germany), QStringLiteral(".")},
                     {QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("/")}};
        for (const auto& c : cases) {
            QLocale::setDefault(c.locale);
            const QDate before = QDate::currentDate();
            Form2 form;
            const QDate after = QDate::currentDate();
            const auto expected = [&c](QDate day) {
                return day.toString(QStringLiteral("dd'%1'MM'%1'yyyy").arg(c.separator));
            };
            const QString shown = form.findChild<QLabel*>(QStringLiteral("Label2"))->text();
            QVERIFY2(shown == expected(before) || shown == expected(after), qPrintable(shown));
        }
    }

    void clockIsEmptyUntilItsFirstTick()
    {
        auto* clock = child<QLabel>("Label3");
        auto* timer = child<QTimer>("Timer1");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(clock->text(), QString());
        QVERIFY(QMetaObject::invokeMethod(m_form, "Timer1_Timer"));
        const QTime shown =
            QLocale().toTime(clock->text(), regional::timeFormatWithSeconds(QLocale()));
        QVERIFY2(shown.isValid() && qAbs(shown.secsTo(QTime::currentTime())) <= 2,
                 qPrintable(clock->text()));
    }

    void droppingOneFileChoosesIt()
    {
        const QString file = scratchFile(QStringLiteral("dropped.txt"), "x");
        const auto drop = [this](QMimeData& data) {
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(m_form, &enter);
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                               Qt::NoModifier);
            QApplication::sendEvent(m_form, &dropped);
            return enter.isAccepted() && dropped.isAccepted();
        };
        {
            QMimeData several;
            several.setUrls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)});
            QMimeData folder;
            folder.setUrls({QUrl::fromLocalFile(m_dir.path())});
            QMimeData text;
            text.setText(file);
            for (QMimeData* data : {&several, &folder, &text})
                QVERIFY(!drop(*data));
            QCOMPARE(fileBox()->text(), QString());
            QCOMPARE(m_form->chosenFileName(), QString());
        }
        {
            QMimeData one;
            one.setUrls({QUrl::fromLocalFile(file)});
            QVERIFY(drop(one));
            QCOMPARE(fileBox()->text(), file);
            QCOMPARE(m_form->chosenFileName(), file);
        }
    }

    void stageTextStaysWhileHidden()
    {
        m_form->setStageText(QStringLiteral("Encrypting the File..."));
        QVERIFY(!statusBar()->isVisible());
        const QList<QWidget*> others =
            m_form->centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QList<QRect> before;
        for (const QWidget* widget : others)
            before.append(widget->geometry());
        m_form->showStatusBar();
        QVERIFY(statusBar()->isVisible());
        QCOMPARE(statusBar()->firstPanelText(), QStringLiteral("Encrypting the File..."));
        for (qsizetype i = 0; i < others.size(); ++i)
            QCOMPARE(others.at(i)->geometry(), before.at(i));
        m_form->hideStatusBar();
    }

    void exitEndsTheProgramAtOnce()
    {
        // A second window stays up, as the splash may; the event loop ends all the same.
        QWidget other;
        other.show();
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        const std::function<void()> ways[] = {
            [this] { child<QPushButton>("exit")->click(); },
            [this] {
                QApplication::setActiveWindow(m_form);
                QTest::keyClick(m_form, Qt::Key_X, Qt::AltModifier);
            },
        };
        for (const auto& pressExit : ways) {
            guard.start(5000);
            QTimer::singleShot(0, m_form, pressExit);
            QCOMPARE(QCoreApplication::exec(), 0);
            QVERIFY(m_form->isVisible());
        }
    }

    void closingUnloadsTheWindow()
    {
        QVERIFY(m_form->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_form.isNull());
    }
};

QTEST_MAIN(Form2Test)
#include "Form2Test.moc"
