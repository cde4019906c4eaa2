#include "ui/HelpChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <utility>

namespace cindral::ui {

HelpChannel::HelpChannel(QWidget* owner)
    : QObject(owner), m_owner(owner), m_searchFolders(defaultSearchFolders())
{}

void HelpChannel::showHelp(const QString& fileName, HelpCommand command)
{
    if (!m_viewer)
        m_viewer = new HelpViewer(m_searchFolders, m_owner);
    switch (command) {
    case HelpCommand::ForceFile:
        m_viewer->forceFile(fileName);
        break;
    }
}

void HelpChannel::setSearchFolders(QStringList folders)
{
    m_searchFolders = std::move(folders);
}

QStringList HelpChannel::defaultSearchFolders()
{
    return {QDir::currentPath(), QCoreApplication::applicationDirPath(),
            QStringLiteral(CINDRAL_DATA_DIR)};
}

} // namespace cindral::ui
