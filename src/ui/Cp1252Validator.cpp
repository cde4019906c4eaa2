// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Cp1252Validator.h"

#include "text/Cp1252.h"

namespace cindral::ui {

QValidator::State Cp1252Validator::validate(QString& input, int& pos) const
{
    pos = static_cast<int>(keepRepresentable(QStringView(input).left(pos)).size());
    input = keepRepresentable(input);
    return Acceptable;
}

QString Cp1252Validator::keepRepresentable(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar ch : text) {
        if (cp1252::canEncode(ch))
            kept.append(ch);
    }
    return kept;
}

} // namespace cindral::ui
