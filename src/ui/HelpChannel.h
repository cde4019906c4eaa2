// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/HelpViewer.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace cindral::ui {

// The channel from a window to the help viewer: it passes a help file name and returns at once;
// the viewer runs beside the program and reports its own failures.
class HelpChannel : public QObject
{
    Q_OBJECT

public:
    explicit HelpChannel(QWidget* owner);

    // Shows the file, at its contents topic unless already on display.
    void showHelp(const QString& fileName);

    // Where the viewer looks for a file named without a folder, in this order; at first the
    // working folder, the program's own folder and the installed data folder.
    void setSearchFolders(QStringList folders);

    // The viewer window while it is open.
    [[nodiscard]] HelpViewer* viewer() const { return m_viewer; }

private:
    QWidget* m_owner;
    QStringList m_searchFolders;
    QPointer<HelpViewer> m_viewer;
};

} // namespace cindral::ui
