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

    [[nodiscard]] HelpViewer* showHelp(const QStringList& folders)
    {
        auto* help = new HelpChannel(m_owner);
        help->setSearchFolders(folders);
        help->showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        return help->viewer();
    }

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

    void findsTheFileInTheFirstFolderThatHasIt()
    {
        for (const QString& folder : {m_withHelp.path(), QStringLiteral(CINDRAL_PROGRAM_DIR)}) {
            const HelpViewer* viewer = showHelp({m_empty.path(), folder});
            QVERIFY(viewer != nullptr && viewer->isVisible() && !viewer->isModal());
            QCOMPARE(viewer->currentFile(), QDir(folder).filePath(QStringLiteral("Cinhelp.hlp")));
            const auto* text = viewer->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
            QVERIFY(!text->toPlainText().trimmed().isEmpty());
        }
    }

    void reportsAMissingFileAndGoesOn()
    {
        const HelpViewer* viewer = showHelp({m_empty.path()});
        QVERIFY(viewer == nullptr || !viewer->isVisible());
        auto* box = m_owner->findChild<QMessageBox*>(QStringLiteral("HelpFileMissing"));
        QVERIFY(box != nullptr && box->isVisible());
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QVERIFY(box->text().contains(QStringLiteral("\"Cinhelp.hlp\"")));
        QVERIFY(box->text().contains(m_empty.path()));
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
