// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/HelpChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <utility>

namespace cindral::ui {
namespace {

QStringList defaultSearchFolders()
{
    // The data folder is found from the program's own folder, so an installed tree can be moved
    // to another prefix (/usr for the package, /usr/local by hand) and still finds its help.
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {
        QDir::currentPath(), programFolder,
        QDir::cleanPath(programFolder + QStringLiteral("/../") + QStringLiteral(CINDRAL_DATA_DIR))};
}

} // namespace

HelpChannel::HelpChannel(QWidget* owner)
    : QObject(owner), m_owner(owner), m_searchFolders(defaultSearchFolders())
{}

void HelpChannel::showHelp(const QString& fileName)
{
    if (!m_viewer)
        m_viewer = new HelpViewer(m_searchFolders, m_owner);
    m_viewer->forceFile(fileName);
}

void HelpChannel::setSearchFolders(QStringList folders)
{
    m_searchFolders = std::move(folders);
}

} // namespace cindral::ui
