#pragma once

#include "ui/OpenFileDialog.h"

#include <QList>
#include <QString>
#include <optional>

// Stands in for the open-file dialog: answers each showing with the next scripted path, or
// cancels (std::nullopt), and keeps what each showing was asked with.
namespace cindral::ui::test {

class ScriptedOpenDialog
{
public:
    void acceptNext(const QString& path) { m_answers.append(path); }
    void cancelNext() { m_answers.append(std::nullopt); }

    [[nodiscard]] OpenFileRunner runner()
    {
        return [this](const OpenFileRequest& request) -> std::optional<QString> {
            m_requests.append(request);
            return m_answers.isEmpty() ? std::nullopt : m_answers.takeFirst();
        };
    }

    [[nodiscard]] const QList<OpenFileRequest>& requests() const { return m_requests; }

private:
    QList<std::optional<QString>> m_answers;
    QList<OpenFileRequest> m_requests;
};

} // namespace cindral::ui::test
