// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QMap>
#include <optional>

namespace cindral {

// The text of a record the program leaves in the recovery folder: a heading that names the kind
// and its version, then one "name value" line a field. Names of files are kept in hexadecimal,
// since they may hold any byte, line ends too.
class RecordText
{
public:
    explicit RecordText(QByteArray heading) : m_text(std::move(heading)) {}

    void add(const char* name, qint64 value) { add(name, QByteArray::number(value)); }
    void addBytes(const char* name, const QByteArray& bytes) { add(name, bytes.toHex()); }
    [[nodiscard]] const QByteArray& text() const { return m_text; }

    // The fields of `text`, when it is a record of this heading.
    [[nodiscard]] static std::optional<RecordText> parsed(const QByteArray& heading,
                                                          const QByteArray& text);
    // A field that is a whole number of 0 or more.
    [[nodiscard]] std::optional<qint64> number(const char* name) const;
    [[nodiscard]] std::optional<QByteArray> bytes(const char* name) const;

private:
    void add(const char* name, const QByteArray& value);

    QByteArray m_text;
    QMap<QByteArray, QByteArray> m_fields;
};

} // namespace cindral
