// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QTextBrowser;

namespace cindral::ui {

// The program's help viewer: a window of its own beside the main window that shows a help
// file (HTML) found in one of its search folders.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    HelpViewer(QStringList searchFolders, QWidget* parent);

    // Shows `fileName` at its contents topic; only raises the window when it already shows
    // that file. A file found in no search folder is reported in a message box of its own.
    void forceFile(const QString& fileName);

    // The full path of the file on display; empty before one has been shown.
    [[nodiscard]] QString currentFile() const;

    // The first search folder holding `fileName`, as a full path; empty when none does.
    [[nodiscard]] static QString locate(const QString& fileName, const QStringList& folders);

private:
    QStringList m_searchFolders;
    QTextBrowser* m_browser;

    void showContents(const QString& path);
    void reportMissing(const QString& fileName);
};

} // namespace cindral::ui
