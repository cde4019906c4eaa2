// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestSupport.h"
#include "operations/ScratchFiles.h"
#include "ui/MainWindow.h"

#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

using namespace cindral::ui;
using namespace cindral::ui::test;

// Operations on files of pieces of 1 KiB, each of which takes 100 ms by the window's clock.
class LongWorkTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    qint64 m_now = 0;
    QPointer<MainWindow> m_form;

    template <typename T = QPushButton> T* child(const char* name) const
    {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }
    void choose(const QByteArray& content)
    {
        writeBytes(m_dir.filePath("file.txt"), content);
        m_form->chooseFile(m_dir.filePath("file.txt"));
    }

private slots:
    void init()
    {
        // The clock is read as the work starts and once a piece.
        m_form = new MainWindow([this] { return m_now += 100; }, 1024);
        QVERIFY(showActive(*m_form));
        child<QLineEdit>("Text1")->setText(QStringLiteral("secret"));
    }

    void cleanup()
    {
        delete m_form.data();
        QCOMPARE(answeredBoxes(), QStringList());
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void theWindowLivesThroughTheWorkDeafToInput_data()
    {
        QTest::addColumn<int>("pieces");
        QTest::newRow("long: the share shows") << 40;
        QTest::newRow("small: it never shows") << 3;
    }

    void theWindowLivesThroughTheWorkDeafToInput()
    {
        QFETCH(int, pieces);
        choose(QByteArray("Lines of text\r\n").repeated(pieces * 1024 / 15));
        auto* clock = child<QLabel>("Label3");
        clock->clear();
        child<QTimer>("Timer1")->setInterval(0);
        // Sampled each time the work lets the event loop run; a box in the way is closed.
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
            QWindow* window = m_form->windowHandle();
            QTest::keyClick(window, Qt::Key_X);
            QTest::keyClick(m_form, Qt::Key_E, Qt::AltModifier);
            QWidget* encrypt = child("encrip");
            QTest::mouseClick(window, Qt::LeftButton, {}, encrypt->mapTo(m_form, QPoint(5, 5)));
            QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("Text1"));
            window->close();
            QVERIFY(m_form->isVisible());
        });
        MessageBox::setNextAnswer(QMessageBox::Ok);
        child("encrip")->click();
        sampler.stop();

        QCOMPARE(answeredBoxes(), QStringList("Encrypted | The selected File has been Encrypted "
                                              "and Saved | Information"));
        QVERIFY(ticked && !shares.isEmpty() && shares.first().isEmpty());
        QCOMPARE(child<QLineEdit>("Text1")->text(), QStringLiteral("secret"));
        QCOMPARE(child<QLabel>("Panel2")->text(), QString());
        shares.removeAll(QString());
        shares.removeDuplicates();
        QCOMPARE(shares.isEmpty(), pieces < 10);
        for (qsizetype i = 1; i < shares.size(); ++i)
            QVERIFY2(shares[i - 1].chopped(1).toInt() < shares[i].chopped(1).toInt(),
                     qPrintable(shares.join(u' ')));
        QVERIFY(shares.isEmpty() || shares.constLast() == QStringLiteral("100%"));
        // The close held through the work is carried out once its box has been answered.
        QVERIFY(!m_form->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_form.isNull());
    }

    void aBoxShownMidWayTakesKeys()
    {
        choose("\xA9text99");
        QTimer::singleShot(0, [] {
            QTest::keyClick(QApplication::activeModalWidget()->windowHandle(), Qt::Key_Escape);
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                box->done(0);
                QFAIL("the box took no key");
            }
        });
        child("decrip")->click();
        QCOMPARE(child<QLineEdit>("Text1")->selectedText(), QStringLiteral("secret"));
    }
};

QTEST_MAIN(LongWorkTest)
#include "LongWorkTest.moc"
