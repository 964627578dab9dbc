#pragma once

#include <QLocale>
#include <QStringView>
#include <optional>

// The one conversion from typed or pasted text to a number, used by every tool.
//
// Reads the locale's own notation (sign, digit grouping, decimal separator, exponent,
// surrounding blanks) and, because users copy currency-formatted spreadsheet cells, also
// a currency sign before or after the number ("$1,250.00", "-$20.00", "20,00 €") and
// accounting parentheses for negatives ("(20.00)" is -20). Only finite values are numbers.
std::optional<double> parseNumber(QStringView text, const QLocale& locale = QLocale());

// The same texts, read to single precision: a value outside the float range is not a number.
std::optional<float> parseFloat(QStringView text, const QLocale& locale = QLocale());
