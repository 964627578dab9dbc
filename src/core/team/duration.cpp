// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/duration.h"

#include "core/common/plainnumber.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Two digits from 00 to 59.
std::optional<int> sexagesimal(QStringView text) {
    if (text.size() != 2 || !isAsciiDigit(text[0]) || !isAsciiDigit(text[1]) || text[0] > u'5')
        return std::nullopt;
    return (text[0].unicode() - u'0') * 10 + (text[1].unicode() - u'0');
}

std::optional<double> hours(QStringView text) {
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), isAsciiDigit))
        return std::nullopt;
    const QByteArray latin1 = text.toLatin1();
    double value = 0;
    const auto [end, error] = std::from_chars(latin1.cbegin(), latin1.cend(), value);
    if (error != std::errc() || end != latin1.cend())
        return std::nullopt; // too many digits for a double
    return value;
}

// The clock form alone: H:MM or H:MM:SS.
std::optional<double> clockMinutes(QStringView text) {
    const qsizetype firstColon = text.indexOf(u':');
    if (firstColon < 0)
        return std::nullopt;
    const qsizetype secondColon = text.indexOf(u':', firstColon + 1);
    const QStringView minutesPart = secondColon < 0
                                        ? text.mid(firstColon + 1)
                                        : text.mid(firstColon + 1, secondColon - firstColon - 1);

    const std::optional<double> h = hours(text.first(firstColon));
    const std::optional<int> m = sexagesimal(minutesPart);
    if (!h || !m)
        return std::nullopt;
    double minutes = *h * 60 + *m;
    if (secondColon >= 0) {
        const std::optional<int> s = sexagesimal(text.mid(secondColon + 1));
        if (!s)
            return std::nullopt;
        minutes += *s / 60.0;
    }
    if (!std::isfinite(minutes))
        return std::nullopt;
    return minutes;
}

bool isDesignator(QStringView text, const QString& localeText, QLatin1StringView english) {
    return (!localeText.isEmpty() && text.compare(localeText, Qt::CaseInsensitive) == 0) ||
           text.compare(english, Qt::CaseInsensitive) == 0;
}

// A spreadsheet shows a duration typed as "1:30" in a 12-hour format as "01:30:00 AM": hours 1 to
// 12, where 12 AM is hour 0 and PM adds 12 hours to the others.
std::optional<double> twelveHourMinutes(QStringView clock, QStringView designator,
                                        const QLocale& locale) {
    using namespace Qt::Literals::StringLiterals;
    const bool am = isDesignator(designator, locale.amText(), "AM"_L1);
    const bool pm = !am && isDesignator(designator, locale.pmText(), "PM"_L1);
    const qsizetype colon = clock.indexOf(u':');
    const std::optional<double> hour = hours(clock.first(std::max<qsizetype>(colon, 0)));
    const std::optional<double> minutes = clockMinutes(clock);
    if ((!am && !pm) || colon > 2 || !hour || *hour < 1 || *hour > 12 || !minutes)
        return std::nullopt;
    const double shift = (*hour == 12 ? -12 : 0) + (pm ? 12 : 0);
    return *minutes + shift * 60;
}

} // namespace

std::optional<double> durationMinutes(QStringView text, const QLocale& locale) {
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0)
        return clockMinutes(text);
    return twelveHourMinutes(text.first(blank), text.sliced(blank + 1), locale);
}
