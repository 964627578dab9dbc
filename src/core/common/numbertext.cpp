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
    QString currencyVariant; // the same sign in its other width: "￥" for "¥" and back
    bool latinSeparators;    // "," and "." stand for the locale's own group and decimal separator
    bool groupsFourDigits;   // the locale writes 1250 with a group separator
};

QString currencyVariantOf(const QString& currency) {
    if (currency == u"\u00A5")
        return u"\uFFE5"_s;
    if (currency == u"\uFFE5")
        return u"\u00A5"_s;
    return {};
}

bool isLatinSeparator(QStringView separator) {
    return separator == u"." || separator == u",";
}

AmountMarks amountMarksOf(const QLocale& locale) {
    const QString currency = withoutDirectionMarks(locale.currencySymbol(QLocale::CurrencySymbol));
    QLocale grouping = locale;
    grouping.setNumberOptions({});
    return {currency,
            withoutDirectionMarks(locale.negativeSign()),
            withoutDirectionMarks(locale.positiveSign()),
            locale.decimalPoint(),
            locale.groupSeparator(),
            currencyVariantOf(currency),
            locale.decimalPoint().size() == 1 && locale.groupSeparator().size() == 1 &&
                !isLatinSeparator(locale.decimalPoint()) &&
                !isLatinSeparator(locale.groupSeparator()),
            grouping.toString(1250) != grouping.toString(1250).remove(locale.groupSeparator())};
}

const AmountMarks& marksOf(const QLocale& locale) {
    thread_local QLocale known = QLocale::c();
    thread_local AmountMarks marks;
    if (locale != known || marks.point.isEmpty()) {
        known = locale;
        marks = amountMarksOf(locale);
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
        if (parts.currency || !(take(rest, marks.currency) || take(rest, dollarSign) ||
                                take(rest, marks.currencyVariant)))
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
    bool blankBeforeSign = false;
    for (bool progress = true; progress;) {
        progress = takeCurrency(takeBack);
        if (parts.parenthesised && !closed && takeBack(rest, u")")) {
            closed = progress = true;
        } else if (!sign && !parts.parenthesised && !marks.negative.isEmpty() &&
                   chopBlanks(rest).endsWith(marks.negative)) {
            // Some locales' currency formats put the minus behind: "€ 20,50-".
            const QStringView before = chopBlanks(rest).chopped(marks.negative.size());
            blankBeforeSign = !before.isEmpty() && isBlank(before.back());
            rest = chopBlanks(before);
            parts.negative = sign = progress = true;
        }
    }
    if (parts.parenthesised != closed || (blankBeforeSign && !parts.currency))
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

// A magnitude as the locale writes it, from the forms spreadsheets show it in: another script's
// digits ("१,२५०.००" in hi_IN), or Latin separators where the locale's are others ("1,250.00" in
// ar_EG). Nothing for a magnitude that mixes scripts or separators, whose reading is a guess.
std::optional<QString> localeMagnitude(QStringView magnitude, const AmountMarks& marks) {
    QString text = magnitude.toString();
    char16_t zero = 0; // of the one script of digits other than 0 to 9
    bool latin = false, own = false, ascii = false;
    for (QChar& c : text) {
        ascii = ascii || isAsciiDigit(c);
        if (const int digit = c.digitValue(); digit >= 0 && !isAsciiDigit(c)) {
            const char16_t itsZero = char16_t(c.unicode() - digit);
            if (zero != 0 && zero != itsZero)
                return std::nullopt;
            zero = itsZero;
            c = QChar(u'0' + digit);
        } else if (marks.latinSeparators && (c == u',' || c == u'.')) {
            latin = true;
            c = c == u',' ? marks.group[0] : marks.point[0];
        } else if (marks.point.contains(c) || marks.group.contains(c)) {
            own = true;
        }
    }
    if ((latin && own) || (ascii && zero != 0))
        return std::nullopt;
    return text;
}

// Spreadsheets group four-digit amounts where the locale itself starts grouping at five digits
// (pl_PL, es_ES): "1 250,00" is 1250 there. The same magnitude without that one group.
std::optional<QString> withoutFourDigitGroup(const QString& magnitude, const AmountMarks& marks) {
    if (marks.groupsFourDigits || marks.group.isEmpty() || magnitude.isEmpty() ||
        !isAsciiDigit(magnitude[0]) || !QStringView(magnitude).sliced(1).startsWith(marks.group))
        return std::nullopt;
    QString ungrouped = magnitude;
    ungrouped.remove(1, marks.group.size());
    const qsizetype point = ungrouped.indexOf(marks.point);
    if ((point < 0 ? ungrouped.size() : point) != 4 ||
        !std::all_of(ungrouped.begin(), ungrouped.begin() + 4, isAsciiDigit))
        return std::nullopt;
    return ungrouped;
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
    const std::optional<QString> magnitude =
        localeMagnitude(withLocaleGroups(parts->magnitude, marks.group), marks);
    // A sign inside the magnitude would be a second one.
    if (!magnitude || magnitude->startsWith(marks.negative) ||
        magnitude->startsWith(marks.positive))
        return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(*magnitude, &ok);
    if (!ok) {
        if (const std::optional<QString> ungrouped = withoutFourDigitGroup(*magnitude, marks))
            value = locale.toDouble(*ungrouped, &ok);
    }
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
    const auto isDigit = [](QChar c) {
        return c.digitValue() >= 0;
    };
    // Most cells go no further: their decimal separator, if any, is not followed by 3 digits.
    qsizetype point = text.indexOf(marks.point);
    if (const qsizetype dot = marks.latinSeparators ? text.indexOf(u'.') : -1;
        dot >= 0 && (point < 0 || dot < point))
        point = dot;
    if (point < 0)
        return std::nullopt;
    const qsizetype afterPoint = point + (text[point] == u'.' ? 1 : marks.point.size());
    if (std::find_if_not(text.begin() + afterPoint, text.end(), isDigit) - text.begin() !=
        afterPoint + 3)
        return std::nullopt;
    if (hasDirectionMarks(text))
        return groupedReading(withoutDirectionMarks(text), locale);
    const std::optional<AmountParts> parts = splitAmount(text, marks);
    if (!parts)
        return std::nullopt;
    const std::optional<QString> normal = localeMagnitude(parts->magnitude, marks);
    if (!normal)
        return std::nullopt;
    const QStringView magnitude = *normal;
    const qsizetype at = magnitude.indexOf(marks.point);
    if (at < 1 || at > 3 || magnitude[0] == u'0' ||
        magnitude.size() != at + marks.point.size() + 3 ||
        !std::all_of(magnitude.begin(), magnitude.begin() + at, isAsciiDigit) ||
        !std::all_of(magnitude.begin() + at + marks.point.size(), magnitude.end(), isAsciiDigit))
        return std::nullopt;
    const double whole = magnitude.first(at).toDouble() * 1000 + magnitude.last(3).toDouble();
    return parts->negative ? -whole : whole;
}
