// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/common/numbertext.h"

#include "core/common/plainnumber.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

// Right-to-left locales write these around signs and currency signs; they say nothing of the
// value, and QLocale cannot read its own text with them.
bool isDirectionMark(QChar c) {
    return c == u'\u061C' || c == u'\u200E' || c == u'\u200F';
}

bool hasDirectionMarks(QStringView text) {
    return std::any_of(text.begin(), text.end(), isDirectionMark);
}

QString withoutDirectionMarks(QStringView text) {
    QString plain = text.toString();
    plain.removeIf(isDirectionMark);
    return plain;
}

// The marks of a locale's amounts, looked up once per locale: a paste reads millions of fields.
struct AmountMarks {
    QString currency, negative, positive, point, group;
};

const AmountMarks& marksOf(const QLocale& locale) {
    thread_local QLocale known = QLocale::c();
    thread_local AmountMarks marks;
    if (locale != known || marks.point.isEmpty()) {
        known = locale;
        marks = {withoutDirectionMarks(locale.currencySymbol(QLocale::CurrencySymbol)),
                 withoutDirectionMarks(locale.negativeSign()),
                 withoutDirectionMarks(locale.positiveSign()), locale.decimalPoint(),
                 locale.groupSeparator()};
    }
    return marks;
}

const QString dollarSign = u"$"_s;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

QStringView skipBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    return text;
}

QStringView chopBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// Takes `token`, after any blanks, off the front of `text`.
bool takeFront(QStringView& text, QStringView token) {
    const QStringView rest = skipBlanks(text);
    if (token.isEmpty() || !rest.startsWith(token))
        return false;
    text = rest.sliced(token.size());
    return true;
}

// Takes `token` and the blanks around it off the back of `text`.
bool takeBack(QStringView& text, QStringView token) {
    const QStringView rest = chopBlanks(text);
    if (token.isEmpty() || !rest.endsWith(token))
        return false;
    text = chopBlanks(rest.chopped(token.size()));
    return true;
}

// The spreadsheets' look-alikes of a locale's group separator: any blank where the locale groups
// with one, an ASCII apostrophe where it groups with U+2019.
QString withLocaleGroups(QStringView digits, const QString& group) {
    QString text = digits.toString();
    if (group.size() != 1)
        return text;
    if (isBlank(group[0])) {
        for (QChar& c : text)
            if (isBlank(c))
                c = group[0];
    } else if (group[0] == u'\u2019') {
        text.replace(u'\'', group[0]);
    }
    return text;
}

// An amount split into its marks and its unsigned magnitude.
struct AmountParts {
    bool currency = false;
    bool parenthesised = false;
    bool negative = false;
    QStringView magnitude;
};

// An amount is a magnitude with its marks around it, blanks allowed between any two of them:
//
//   amount    = [currency] ( "(" [currency] magnitude [currency] ")"
//                          | [sign] [currency] [sign] magnitude ) [currency]
//
// with at most one currency sign (the locale's or "$") and at most one sign (the locale's minus
// or plus) in all, and blanks anywhere; between a sign and the magnitude only in an amount with a
// currency sign, which some spreadsheets write so for zero ("$- 0"). Accounting
// parentheses make the amount negative and take no sign inside or out. The magnitude is the
// locale's unsigned notation (grouping, decimals, exponent); it may be left out after a minus when
// a currency sign stands in the amount, the spreadsheets' zero ("$ -").
std::optional<AmountParts> splitAmount(QStringView text, const AmountMarks& marks) {
    AmountParts parts;
    QStringView rest = text.trimmed();
    const auto takeCurrency = [&](bool (*take)(QStringView&, QStringView)) {
        if (parts.currency || !(take(rest, marks.currency) || take(rest, dollarSign)))
            return false;
        return parts.currency = true;
    };
    bool sign = false;
    for (bool progress = true; progress;) {
        if ((progress = takeCurrency(takeFront)))
            rest = skipBlanks(rest);
        if (sign || parts.parenthesised)
            continue;
        if (takeFront(rest, u"(")) {
            parts.parenthesised = progress = true;
            rest = skipBlanks(rest);
        } else if (takeFront(rest, marks.negative)) {
            parts.negative = sign = progress = true;
        } else if (takeFront(rest, marks.positive)) {
            sign = progress = true;
        }
    }
    bool closed = false;
    for (bool progress = true; progress;) {
        progress = takeCurrency(takeBack);
        if (parts.parenthesised && !closed && takeBack(rest, u")"))
            closed = progress = true;
    }
    if (parts.parenthesised != closed)
        return std::nullopt;
    if (!rest.isEmpty() && isBlank(rest.front())) {
        if (!parts.currency)
            return std::nullopt; // "- 5" is no plain number
        rest = skipBlanks(rest);
    }
    parts.negative = parts.negative || parts.parenthesised;
    parts.magnitude = rest;
    if (rest.isEmpty() && !(parts.negative && !parts.parenthesised && parts.currency))
        return std::nullopt;
    return parts;
}

} // namespace

std::optional<double> parseNumber(QStringView text, const QLocale& locale) {
    if (const std::optional<double> plain = readPlainNumber(text.trimmed(), locale))
        return plain;
    if (hasDirectionMarks(text))
        return parseNumber(withoutDirectionMarks(text), locale);
    const AmountMarks& marks = marksOf(locale);
    const std::optional<AmountParts> parts = splitAmount(text, marks);
    if (!parts)
        return std::nullopt;
    if (parts->magnitude.isEmpty())
        return 0.0;
    const QString magnitude = withLocaleGroups(parts->magnitude, marks.group);
    // A sign inside the magnitude would be a second one.
    if (magnitude.startsWith(marks.negative) || magnitude.startsWith(marks.positive))
        return std::nullopt;
    bool ok = false;
    const double value = locale.toDouble(magnitude, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return parts->negative ? -value : value;
}

std::optional<float> parseFloat(QStringView text, const QLocale& locale) {
    const std::optional<double> value = parseNumber(text, locale);
    if (!value || std::abs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<double> groupedReading(QStringView text, const QLocale& locale) {
    const AmountMarks& marks = marksOf(locale);
    const auto digitsFrom = [&](qsizetype at) {
        return std::find_if_not(text.begin() + at, text.end(), isAsciiDigit) - (text.begin() + at);
    };
    // Most cells go no further: their decimal separator, if any, is not followed by 3 digits.
    const qsizetype point =
        std::search(text.begin(), text.end(), marks.point.begin(), marks.point.end()) -
        text.begin();
    if (point == text.size() || digitsFrom(point + marks.point.size()) != 3)
        return std::nullopt;
    if (hasDirectionMarks(text))
        return groupedReading(withoutDirectionMarks(text), locale);
    const std::optional<AmountParts> parts = splitAmount(text, marks);
    if (!parts)
        return std::nullopt;
    const QStringView magnitude = parts->magnitude;
    const qsizetype at = magnitude.indexOf(marks.point);
    if (at < 1 || at > 3 || magnitude[0] == u'0' ||
        magnitude.size() != at + marks.point.size() + 3 ||
        !std::all_of(magnitude.begin(), magnitude.begin() + at, isAsciiDigit) ||
        !std::all_of(magnitude.begin() + at + marks.point.size(), magnitude.end(), isAsciiDigit))
        return std::nullopt;
    const double whole = magnitude.first(at).toDouble() * 1000 + magnitude.last(3).toDouble();
    return parts->negative ? -whole : whole;
}
