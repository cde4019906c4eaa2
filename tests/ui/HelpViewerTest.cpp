#include "ui/HelpViewer.h"

#include "UiTestSupport.h"
#include "ui/HelpChannel.h"

#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextBrowser>

using namespace cindral::ui;
using namespace cindral::ui::test;

class HelpViewerTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_empty;
    QTemporaryDir m_withHelp;

    [[nodiscard]] static HelpViewer* showHelp(QWidget& owner, const QStringList& folders)
    {
        auto* help = new HelpChannel(&owner);
        help->setSearchFolders(folders);
        help->showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        return help->viewer();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(
            writeBytes(m_withHelp.filePath(QStringLiteral("Cinhelp.hlp")), "<h1>Contents</h1>"));
    }

    void cleanup() { QCOMPARE(visibleTopLevelWindows(), QStringList()); }

    void findsTheFileInTheFirstFolderThatHasIt()
    {
        for (const QString& folder : {m_withHelp.path(), QStringLiteral(CINDRAL_PROGRAM_DIR)}) {
            QWidget owner;
            const HelpViewer* viewer = showHelp(owner, {m_empty.path(), folder});
            QVERIFY(viewer != nullptr && viewer->isVisible() && !viewer->isModal());
            QCOMPARE(viewer->currentFile(), QDir(folder).filePath(QStringLiteral("Cinhelp.hlp")));
            QVERIFY(!viewer->findChild<QTextBrowser*>("HelpBrowser")->toPlainText().isEmpty());
        }
    }

    void reportsAMissingFileAndGoesOn()
    {
        QWidget owner;
        const HelpViewer* viewer = showHelp(owner, {m_empty.path()});
        QVERIFY(viewer == nullptr || !viewer->isVisible());
        auto* box = owner.findChild<QMessageBox*>(QStringLiteral("HelpFileMissing"));
        QVERIFY(box != nullptr && box->isVisible() && box->windowModality() == Qt::NonModal);
        QVERIFY(box->text().contains("\"Cinhelp.hlp\"") && box->text().contains(m_empty.path()));
    }
};

QTEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
