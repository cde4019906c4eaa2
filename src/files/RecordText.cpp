// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecordText.h"

#include <QByteArrayList>

namespace cindral {

void RecordText::add(const char* name, const QByteArray& value)
{
    m_text += '\n' + QByteArray(name) + ' ' + value;
    m_fields.insert(name, value);
}

std::optional<RecordText> RecordText::parsed(const QByteArray& heading, const QByteArray& text)
{
    QByteArrayList lines = text.split('\n');
    if (lines.takeFirst() != heading)
        return std::nullopt;
    RecordText record(heading);
    for (const QByteArray& line : lines) {
        const qsizetype blank = line.indexOf(' ');
        if (blank < 1)
            return std::nullopt;
        record.add(line.left(blank).constData(), line.sliced(blank + 1));
    }
    return record;
}

std::optional<qint64> RecordText::number(const char* name) const
{
    bool valid = false;
    const qint64 value = m_fields.value(name).toLongLong(&valid);
    return valid && value >= 0 ? std::optional(value) : std::nullopt;
}

std::optional<QByteArray> RecordText::bytes(const char* name) const
{
    const auto found = m_fields.constFind(name);
    if (found == m_fields.cend())
        return std::nullopt;
    return QByteArray::fromHex(*found);
}

} // namespace cindral
