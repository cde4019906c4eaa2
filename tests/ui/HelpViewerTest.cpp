#include "ui/HelpViewer.h"

#include "UiTestSupport.h"
#include "ui/HelpChannel.h"

#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace cindral::ui;
using namespace cindral::ui::test;

class HelpViewerTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_empty;
    QTemporaryDir m_withHelp;
    QPointer<QWidget> m_owner;

private slots:
    void initTestCase()
    {
        writeBytes(m_withHelp.filePath(QStringLiteral("Cinhelp.hlp")), "<h1>Contents</h1>");
    }

    void init() { m_owner = new QWidget(); }

    void cleanup()
    {
        delete m_owner.data();
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void findsTheFileOrReportsItMissing_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("found");
        QTest::newRow("in the second folder")
            << QStringList{m_empty.path(), m_withHelp.path()} << m_withHelp.path();
        QTest::newRow("shipped beside the program")
            << QStringList{QStringLiteral(CINDRAL_PROGRAM_DIR)}
            << QStringLiteral(CINDRAL_PROGRAM_DIR);
        QTest::newRow("missing") << QStringList{m_empty.path()} << QString();
    }

    void findsTheFileOrReportsItMissing()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, found);
        auto* help = new HelpChannel(m_owner);
        help->setSearchFolders(folders);
        help->showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        HelpViewer* viewer = help->viewer();
        auto* box = m_owner->findChild<QMessageBox*>(QStringLiteral("HelpFileMissing"));
        if (found.isEmpty()) {
            QVERIFY(viewer == nullptr || !viewer->isVisible());
            QVERIFY(box != nullptr && box->isVisible());
            QCOMPARE(box->windowModality(), Qt::NonModal);
            QVERIFY(box->text().contains(QStringLiteral("\"Cinhelp.hlp\"")));
            QVERIFY(box->text().contains(m_empty.path()));
            return;
        }
        QVERIFY(box == nullptr || !box->isVisible());
        QVERIFY(viewer != nullptr && viewer->isVisible() && !viewer->isModal());
        QCOMPARE(viewer->currentFile(), QDir(found).filePath(QStringLiteral("Cinhelp.hlp")));
        const auto* browser = viewer->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
        QVERIFY(!browser->toPlainText().trimmed().isEmpty());
    }

    void looksInTheWorkingFolderThenBesideTheInstalledProgram()
    {
        const QStringList folders = HelpChannel::defaultSearchFolders();
        QCOMPARE(folders.constFirst(), QDir::currentPath());
        // Installed as <prefix>/bin/cindral, the help lies in <prefix>/share/cindral.
        QCOMPARE(folders.constLast(), QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                      QStringLiteral("/../share/cindral")));
    }
};

QTEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
