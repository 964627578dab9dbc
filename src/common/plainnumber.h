#pragma once

#include <QLocale>
#include <QStringView>
#include <optional>

// The fast reading of the forms most cells take: [+-]digits[<point>digits], and the same with the
// locale's groups of three. Gives nothing for any other text, and reads only what QLocale would
// read to the very same value, so a caller can fall back to QLocale for the rest.
std::optional<double> readPlainNumber(QStringView trimmedText, const QLocale& locale);
