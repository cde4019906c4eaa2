// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/RegionalFormat.h"

namespace cindral::ui::regional {

namespace {

// Format letters outside quotes are fields; everything else between them is literal.
bool isFieldLetter(QChar ch)
{
    return ch.isLetter() && ch.unicode() < 128;
}

// Removes every unquoted run of `letter` from a Qt date-time format.
QString withoutField(const QString& format, QChar letter)
{
    QString kept;
    bool quoted = false;
    for (QChar ch : format) {
        if (ch == u'\'')
            quoted = !quoted;
        if (quoted || ch != letter)
            kept.append(ch);
    }
    return kept;
}

} // namespace

QString dateSeparator(const QLocale& locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    // A short date with the month in words (the C locale's) has no numeric separator.
    if (format.contains(QStringLiteral("MMM")))
        return QStringLiteral("/");
    qsizetype i = 0;
    while (i < format.size() && isFieldLetter(format.at(i)))
        ++i;
    const qsizetype start = i;
    while (i < format.size() && !isFieldLetter(format.at(i)))
        ++i;
    QString separator = format.mid(start, i - start);
    separator.remove(u'\'');
    return separator.isEmpty() || i == format.size() ? QStringLiteral("/") : separator;
}

QString formatDate(QDate date, const QLocale& locale)
{
    const auto digits = [](int value, int width) {
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    };
    return QStringLiteral("%1%2%3%2%4")
        .arg(digits(date.day(), 2), dateSeparator(locale), digits(date.month(), 2),
             digits(date.year(), 4));
}

QString timeFormatWithSeconds(const QLocale& locale)
{
    return withoutField(locale.timeFormat(QLocale::LongFormat), u't').simplified();
}

QString formatTime(QTime time, const QLocale& locale)
{
    return locale.toString(time, timeFormatWithSeconds(locale));
}

} // namespace cindral::ui::regional
