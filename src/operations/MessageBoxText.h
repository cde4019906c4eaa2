// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/WindowServices.h"

#include <QStringView>

namespace cindral {

// One message box of an operation, kept as constant text so that every box the operations show
// sits in OperationMessages.h.
struct MessageBoxText
{
    QStringView prompt;
    QStringView title;
    MessageIcon icon;

    void showIn(WindowServices& window) const
    {
        window.messageBox(prompt.toString(), title.toString(), icon);
    }
    void showIn(WindowServices& window, const QString& reason) const
    {
        window.failureBox(prompt.toString(), title.toString(), icon, reason);
    }
};

} // namespace cindral
