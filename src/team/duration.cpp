#include "duration.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Two digits from 00 to 59.
std::optional<int> sexagesimal(QStringView text) {
    if (text.size() != 2 || !isDigit(text[0]) || !isDigit(text[1]) || text[0] > u'5')
        return std::nullopt;
    return (text[0].unicode() - u'0') * 10 + (text[1].unicode() - u'0');
}

std::optional<double> hours(QStringView text) {
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    const QByteArray latin1 = text.toLatin1();
    double value = 0;
    const auto [end, error] = std::from_chars(latin1.cbegin(), latin1.cend(), value);
    if (error != std::errc() || end != latin1.cend())
        return std::nullopt; // too many digits for a double
    return value;
}

} // namespace

std::optional<double> durationMinutes(QStringView text) {
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
