// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QStringView>
#include <optional>

// The one conversion from typed or pasted text to a number, used by every tool.
//
// Reads the locale's own notation (sign, digit grouping, decimal separator, exponent,
// surrounding blanks) and, because users copy currency-formatted spreadsheet cells, the
// accounting forms around it: a currency sign (the locale's or "$") before or after the number
// or its minus, accounting parentheses for negatives ("$(20.00)" is -20), a dash for zero
// ("$ -"), and the spreadsheets' stand-ins for the locale's group separator (any blank for a
// blank, "'" for "’"). Direction marks (U+061C, U+200E, U+200F) are ignored, so that right-to-left
// locales read back what they write. Only finite values are numbers. The grammar is in
// numbertext.cpp.
std::optional<double> parseNumber(QStringView text, const QLocale& locale = QLocale());

// The same texts, read to single precision: a value outside the float range is not a number.
std::optional<float> parseFloat(QStringView text, const QLocale& locale = QLocale());

// For an amount whose only separator is one decimal separator with one to three digits before
// it (the first not 0) and exactly three after, such as "1.250" in en_US: the whole number it
// means where that separator groups thousands (1250). Nothing for any other text.
std::optional<double> groupedReading(QStringView text, const QLocale& locale = QLocale());
