// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/common/wholenumber.h"

#include <cfenv>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

double roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is to-nearest-even unless changed.
    const int savedMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(savedMode);
    return rounded;
}

QString wholeNumberText(double value) {
    // QString::number writes -0 as "0".
    return QString::number(roundHalfEven(value), 'f', 0);
}

QString signedWholeNumberText(double value) {
    return wholeNumberText(value).replace(u'-', u'−');
}

QString dollarsText(double amount, const QLocale& locale) {
    const double size = std::abs(amount);
    const QString digits =
        size < 1e15 ? locale.toString(roundHalfEven(size), 'f', 0) : locale.toString(size, 'g', 4);
    // No "−$0" for a loss of cents.
    return (amount < 0 && roundHalfEven(size) != 0 ? u"−$"_s : u"$"_s) + digits;
}
