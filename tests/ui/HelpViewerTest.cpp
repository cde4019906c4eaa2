// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/HelpViewer.h"

#include "WindowTest.h"
#include "support/ScratchFiles.h"
#include "ui/HelpChannel.h"

#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextBrowser>

using namespace cindral::ui;
using namespace cindral::ui::test;

namespace {

[[nodiscard]] HelpViewer* showHelp(QWidget& owner, const QStringList& folders)
{
    auto* help = new HelpChannel(&owner);
    help->setSearchFolders(folders);
    help->showHelp(QStringLiteral("Cinhelp.hlp"));
    return help->viewer();
}

} // namespace

class HelpViewerTest : public WindowTest
{
    Q_OBJECT

private slots:
    // The one built beside the program is found too.
    void showsTheFileFromTheFirstFolderThatHasItOrReportsItMissing()
    {
        const QTemporaryDir empty;
        const QTemporaryDir withHelp;
        writeBytes(withHelp.filePath(QStringLiteral("Cinhelp.hlp")),
                   "<title>Test help</title><h1>Contents</h1>");
        for (const QString& folder : {withHelp.path(), QStringLiteral(CINDRAL_PROGRAM_DIR)}) {
            QWidget owner;
            const HelpViewer* viewer = showHelp(owner, {empty.path(), folder});
            QVERIFY(viewer != nullptr && viewer->isVisible() && !viewer->isModal());
            QCOMPARE(viewer->currentFile(), QDir(folder).filePath(QStringLiteral("Cinhelp.hlp")));
            QVERIFY(!viewer->findChild<QTextBrowser*>("HelpBrowser")->toPlainText().isEmpty());
            QCOMPARE(viewer->windowTitle(),
                     folder == withHelp.path() ? "Test help" : "Cindral 1.0v Help");
        }
        // Reported in a box beside the window, which goes on.
        QWidget owner;
        const HelpViewer* viewer = showHelp(owner, {empty.path()});
        QVERIFY(viewer == nullptr || !viewer->isVisible());
        auto* box = owner.findChild<QMessageBox*>(QStringLiteral("HelpFileMissing"));
        QVERIFY(box != nullptr && box->isVisible() && !box->isModal());
        QVERIFY(box->text().contains("\"Cinhelp.hlp\"") && box->text().contains(empty.path()));
    }
};

QTEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
