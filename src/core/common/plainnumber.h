// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QStringView>
#include <optional>

// 0 to 9 only: the other scripts' digits are no part of the forms read here.
inline bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The fast reading of the forms most cells take: [+-]digits[<point>digits], and the same with the
// locale's groups of three. Gives nothing for any other text, and reads only what QLocale would
// read to the very same value, so a caller can fall back to QLocale for the rest.
std::optional<double> readPlainNumber(QStringView trimmedText, const QLocale& locale);
