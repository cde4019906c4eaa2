// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/ExitStatus.h"

#include <QString>
#include <stdexcept>

namespace cindral::cli {

// Ends the tool before any file is touched, with a message for standard error.
class ToolError : public std::runtime_error
{
public:
    ToolError(ExitStatus status, const QString& message)
        : std::runtime_error(message.toStdString()), m_status(status), m_message(message)
    {}

    [[nodiscard]] ExitStatus status() const noexcept { return m_status; }
    [[nodiscard]] const QString& message() const noexcept { return m_message; }

private:
    ExitStatus m_status;
    QString m_message;
};

} // namespace cindral::cli
