// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

namespace cindral::ui {

HelpViewer::HelpViewer(QStringList searchFolders, QWidget* parent)
    : QWidget(parent, Qt::Window), m_searchFolders(std::move(searchFolders)),
      m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Cindral Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(560, 480);
}

void HelpViewer::forceFile(const QString& fileName)
{
    const QString path = locate(fileName, m_searchFolders);
    if (path.isEmpty()) {
        reportMissing(fileName);
        return;
    }
    if (!isVisible() || path != currentFile())
        showContents(path);
    show();
    raise();
    activateWindow();
}

QString HelpViewer::currentFile() const
{
    return m_browser->source().toLocalFile();
}

QString HelpViewer::locate(const QString& fileName, const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

void HelpViewer::showContents(const QString& path)
{
    // The file is HTML whatever its name; its beginning is the contents topic.
    m_browser->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    m_browser->verticalScrollBar()->setValue(0);
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Cindral Help") : title);
}

void HelpViewer::reportMissing(const QString& fileName)
{
    const QString prompt = QStringLiteral("Cannot find the help file \"%1\".\n\nLooked in:\n%2")
                               .arg(fileName, m_searchFolders.join(u'\n'));
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Cindral Help"), prompt,
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("HelpFileMissing"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

} // namespace cindral::ui
