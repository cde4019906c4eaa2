// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The date and the time of day as the user's regional settings write them.
namespace cindral::ui::regional {

// The separator between the fields of the locale's short date; "/" when it has none or writes
// the month in words.
[[nodiscard]] QString dateSeparator(const QLocale& locale);

// Day, month and year as two, two and four digits, in this order, joined by the locale's
// date separator.
[[nodiscard]] QString formatDate(QDate date, const QLocale& locale);

// The locale's time format with seconds (and AM/PM where the locale uses it), without the
// time zone its long format adds.
[[nodiscard]] QString timeFormatWithSeconds(const QLocale& locale);

[[nodiscard]] QString formatTime(QTime time, const QLocale& locale);

} // namespace cindral::ui::regional
