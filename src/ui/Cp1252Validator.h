// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>
#include <QValidator>

namespace cindral::ui {

// Keeps a line edit to the characters of the Windows-1252 code page, the only ones a password
// can be made of: a typed character outside the page is not inserted, and a pasted text loses
// just the characters outside it.
class Cp1252Validator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;

    [[nodiscard]] static QString keepRepresentable(QStringView text);
};

} // namespace cindral::ui
