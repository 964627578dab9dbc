// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>

// Rounds to the nearest whole number, a value exactly halfway going to the even neighbour.
double roundHalfEven(double value);

// The rounded value written in full in decimal: no grouping, no exponent, no "-0".
QString wholeNumberText(double value);
// The same with a true minus sign, as a label shows it.
QString signedWholeNumberText(double value);

// Dollars to the whole dollar, grouped as the locale groups them, with a true minus: "−$1,250".
// Amounts beyond 10^15 show four significant digits.
QString dollarsText(double amount, const QLocale& locale = QLocale());
