// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/nrs/nrsformat.h"

#include "core/common/numbertext.h"
#include "core/common/wholenumber.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

NrsInputs readNrsInputs(QStringView k, QStringView q, QStringView d, QStringView b,
                        const QLocale& locale) {
    const auto read = [&locale](QStringView text) {
        return parseFloat(text, locale).value_or(0.0f);
    };
    return {read(k), read(q), read(d), read(b)};
}

QString formatNrsResult(float value, const QLocale& locale) {
    if (std::isnan(value))
        return u"undefined"_s;
    const QString infinity = u"∞"_s;
    if (std::isinf(value))
        return value > 0 ? infinity : locale.negativeSign() + infinity;

    // A float has 24 significant bits and 1000 needs 7, so the product is exact in double and
    // the rounding sees the float's true binary value: 0.0025f (just below 0.0025) shows 0.002.
    // A negative value that rounds to zero shows as plain "0.000".
    QString digits = wholeNumberText(double(value) * 1000.0);
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);
    digits = digits.rightJustified(4, u'0');
    digits.insert(digits.size() - 3, locale.decimalPoint());
    return negative ? locale.negativeSign() + digits : digits;
}
