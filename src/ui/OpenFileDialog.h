// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace cindral::ui {

struct FileFilter
{
    QString description;
    QString pattern;

    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// What the open-file dialog is shown with.
struct OpenFileRequest
{
    QWidget* parent = nullptr;
    QList<FileFilter> filters;
    int filterIndex = 1; // counts from 1
    QString fileName;    // the name the dialog held before
};

// Shows the dialog modally; the accepted path, or std::nullopt when cancelled.
using OpenFileRunner = std::function<std::optional<QString>(const OpenFileRequest&)>;

// The open-file dialog as a component of its window: it keeps the filter list and the file
// name last accepted, which the window reads as the chosen file. A cancelled dialog leaves the
// name as it was.
class OpenFileDialog : public QObject
{
    Q_OBJECT

public:
    explicit OpenFileDialog(QObject* parent);

    // Alternating descriptions and patterns separated by "|", as "Text (*.txt)|*.txt|...".
    void setFilter(const QString& filterList);
    // Preselects a filter, counting from 1.
    void setFilterIndex(int index);

    // The full path of the file last accepted; empty until one has been.
    [[nodiscard]] const QString& fileName() const { return m_fileName; }

    // Shows the dialog and waits until it is closed.
    void showOpen(QWidget* parent);
    // Takes a file as if the user had accepted it in the dialog.
    void acceptFile(const QString& path);

    // Replaces the real dialog, for tests.
    void setRunner(OpenFileRunner runner);

    [[nodiscard]] static std::optional<QString> runFileDialog(const OpenFileRequest& request);

private:
    QList<FileFilter> m_filters;
    int m_filterIndex = 1;
    QString m_fileName;
    OpenFileRunner m_runner;
};

} // namespace cindral::ui
