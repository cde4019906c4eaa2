// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/OpenFileDialog.h"

#include <QFileDialog>
#include <QStringList>
#include <utility>

namespace cindral::ui {

OpenFileDialog::OpenFileDialog(QObject* parent)
    : QObject(parent), m_runner(&OpenFileDialog::runFileDialog)
{}

void OpenFileDialog::setFilter(const QString& filterList)
{
    const QStringList parts = filterList.split(u'|');
    m_filters.clear();
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        m_filters.append({parts.at(i), parts.at(i + 1)});
}

void OpenFileDialog::setFilterIndex(int index)
{
    m_filterIndex = index;
}

void OpenFileDialog::showOpen(QWidget* parent)
{
    const std::optional<QString> accepted =
        m_runner({parent, m_filters, m_filterIndex, m_fileName});
    if (accepted && !accepted->isEmpty())
        m_fileName = *accepted;
}

void OpenFileDialog::acceptFile(const QString& path)
{
    m_fileName = path;
}

void OpenFileDialog::setRunner(OpenFileRunner runner)
{
    m_runner = std::move(runner);
}

std::optional<QString> OpenFileDialog::runFileDialog(const OpenFileRequest& request)
{
    QFileDialog dialog(request.parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt reads the patterns from the last parentheses and, with the details hidden, shows
    // what stands before them: each description exactly as given.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList nameFilters;
    for (const FileFilter& filter : request.filters)
        nameFilters.append(QStringLiteral("%1 (%2)").arg(filter.description, filter.pattern));
    dialog.setNameFilters(nameFilters);
    if (request.filterIndex >= 1 && request.filterIndex <= nameFilters.size())
        dialog.selectNameFilter(nameFilters.at(request.filterIndex - 1));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace cindral::ui
