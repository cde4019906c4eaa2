#include "ui/HelpViewer.h"

#include "UiTestSupport.h"
#include "ui/HelpChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QScrollBar>
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

    [[nodiscard]] HelpChannel& channel(const QStringList& folders)
    {
        auto* help = new HelpChannel(m_owner);
        help->setSearchFolders(folders);
        return *help;
    }

    static QTextBrowser& browser(HelpViewer& viewer)
    {
        return *viewer.findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    }

private slots:
    void initTestCase()
    {
        QString longText = QStringLiteral("<h1 id=\"contents\">Contents</h1>");
        for (int i = 0; i < 200; ++i)
            longText += QStringLiteral("<p>Topic %1</p>").arg(i);
        writeBytes(m_withHelp.filePath(QStringLiteral("Cinhelp.hlp")), longText.toUtf8());
    }

    void init() { m_owner = new QWidget(); }

    void cleanup()
    {
        delete m_owner.data();
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void findsTheFileAndShowsItsContents()
    {
        HelpChannel& help = channel({m_empty.path(), m_withHelp.path()});
        help.showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        HelpViewer* viewer = help.viewer();
        QVERIFY(viewer != nullptr && viewer->isVisible());
        QVERIFY(!viewer->isModal());
        QCOMPARE(viewer->currentFile(), m_withHelp.filePath(QStringLiteral("Cinhelp.hlp")));
        QVERIFY(browser(*viewer).toPlainText().startsWith(QStringLiteral("Contents")));
        QCOMPARE(browser(*viewer).verticalScrollBar()->value(), 0);
    }

    void aFileOnDisplayIsOnlyRaised()
    {
        HelpChannel& help = channel({m_withHelp.path()});
        help.showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        QPointer<HelpViewer> viewer = help.viewer();
        QScrollBar* scroll = browser(*viewer).verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());

        help.showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        QCOMPARE(help.viewer(), viewer.data());
        QCOMPARE(scroll->value(), scroll->maximum());

        // Closed, the viewer is gone; the next call opens the file afresh at its contents.
        viewer->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(viewer.isNull());
        help.showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        QVERIFY(help.viewer() != nullptr && help.viewer()->isVisible());
        QCOMPARE(browser(*help.viewer()).verticalScrollBar()->value(), 0);
    }

    void aMissingFileIsReportedWithoutStopping()
    {
        HelpChannel& help = channel({m_empty.path()});
        help.showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        QVERIFY(help.viewer() == nullptr || !help.viewer()->isVisible());
        auto* box = m_owner->findChild<QMessageBox*>(QStringLiteral("HelpFileMissing"));
        QVERIFY(box != nullptr && box->isVisible());
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QVERIFY(box->text().contains(QStringLiteral("\"Cinhelp.hlp\"")));
        QVERIFY(box->text().contains(m_empty.path()));
        box->close();
    }

    void looksInTheWorkingFolderFirst()
    {
        const QStringList folders = HelpChannel::defaultSearchFolders();
        // Installed as <prefix>/bin/cindral, the help lies in <prefix>/share/cindral.
        QCOMPARE(folders.constFirst(), QDir::currentPath());
        QCOMPARE(folders.constLast(), QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                      QStringLiteral("/../share/cindral")));

        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_withHelp.path()));
        HelpChannel& help = channel(HelpChannel::defaultSearchFolders());
        help.showHelp(QStringLiteral("Cinhelp.hlp"), HelpCommand::ForceFile);
        QVERIFY(QDir::setCurrent(before));
        QVERIFY(help.viewer() != nullptr && help.viewer()->isVisible());
    }

    void theShippedHelpFileIsBesideTheProgram()
    {
        const QString path = QStringLiteral(CINDRAL_PROGRAM_DIR "/Cinhelp.hlp");
        const QString text = QString::fromUtf8(readBytes(path));
        QVERIFY2(!text.isEmpty(), qPrintable(path));
        for (const char* topic :
             {"id=\"contents\"", "CR LF", "not encryption to trust", "169", "trailer"})
            QVERIFY2(text.contains(QLatin1String(topic)), topic);
    }
};

QTEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
