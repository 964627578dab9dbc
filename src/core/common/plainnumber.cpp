// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/common/plainnumber.h"

#include <QString>
#include <charconv>

using namespace Qt::Literals::StringLiterals;

namespace {

// QLocale::toDouble is slow enough to dominate a paste of a million rows; these are the locale's
// facts that decide whether a text can be read here instead.
struct PlainNotation {
    char16_t point = 0; // 0 when the locale's notation is not plain
    char16_t group = 0; // 0 when its digits are not grouped in threes
};

PlainNotation plainNotationOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    if (locale.zeroDigit() != u"0" || locale.negativeSign() != u"-" ||
        locale.positiveSign() != u"+" || point.size() != 1 || point[0].isDigit() ||
        locale.numberOptions().testFlag(QLocale::RejectTrailingZeroesAfterDot))
        return {};
    PlainNotation notation{point[0].unicode()};

    QLocale grouping = locale;
    grouping.setNumberOptions({});
    const QString group = locale.groupSeparator();
    const QString threes = u'1' + group + u"234"_s + group + u"567"_s;
    if (group.size() == 1 && group != point && grouping.toString(1234567.0, 'f', 0) == threes &&
        !locale.numberOptions().testFlag(QLocale::RejectGroupSeparator))
        notation.group = group[0].unicode();
    return notation;
}

const PlainNotation& plainNotation(const QLocale& locale) {
    thread_local QLocale known = QLocale::c();
    thread_local PlainNotation notation = plainNotationOf(known);
    if (locale != known) {
        known = locale;
        notation = plainNotationOf(locale);
    }
    return notation;
}

// The value of a trimmed text in plain notation, or nothing when the text is in any other form.
std::optional<double> readPlain(QStringView text, const PlainNotation& notation) {
    if (notation.point == 0)
        return std::nullopt;
    char digits[64];
    std::size_t length = 0;
    const auto keep = [&](QChar c) {
        if (length == sizeof digits)
            return false;
        digits[length++] = static_cast<char>(c.unicode());
        return true;
    };

    qsizetype at = 0;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        if (text[0] == u'-') // from_chars takes no plus sign
            keep(text[0]);
        ++at;
    }
    qsizetype inGroup = 0;
    bool grouped = false;
    for (; at < text.size(); ++at) {
        if (isAsciiDigit(text[at])) {
            if (!keep(text[at]))
                return std::nullopt;
            ++inGroup;
        } else if (notation.group != 0 && text[at] == notation.group) {
            if (inGroup == 0 || inGroup > 3 || (grouped && inGroup != 3))
                return std::nullopt;
            grouped = true;
            inGroup = 0;
        } else {
            break;
        }
    }
    if (inGroup == 0 || (grouped && inGroup != 3))
        return std::nullopt;
    if (at < text.size()) {
        if (text[at++] != notation.point || !keep(u'.'))
            return std::nullopt;
        for (; at < text.size(); ++at)
            if (!isAsciiDigit(text[at]) || !keep(text[at]))
                return std::nullopt;
    }

    double value = 0;
    const auto [end, error] = std::from_chars(digits, digits + length, value);
    if (error != std::errc() || end != digits + length)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> readPlainNumber(QStringView text, const QLocale& locale) {
    return readPlain(text, plainNotation(locale));
}
