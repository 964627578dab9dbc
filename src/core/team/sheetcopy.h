// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// One cell of a spreadsheet's own copy of a range: what the sheet displayed, and the value behind
// it where the copy carries one. The display can hide a sign, scale a number or show minutes as
// hours; the value cannot.
struct SheetCell {
    QString text;                // as displayed, at most longestCellText characters
    std::optional<double> value; // a time or duration as a fraction of a day
    bool time = false;           // its format shows a time or duration
};

// The rows the user saw, left to right: the copy leaves out hidden and filtered rows and columns.
using SheetRows = std::vector<std::vector<SheetCell>>;

// No field is read beyond this many characters; one more tells that it was longer.
constexpr qsizetype longestCellText = 1001;

// What a format code shows a value as. Time: hours, minutes or seconds ("[MM]:SS", "h:mm",
// "[h]:mm:ss"). Number: digits with their marks around them, or one word ("General",
// "Standard"). Other: dates and whatever else holds letters outside quoted or bracketed text.
enum class FormatKind { Number, Time, Other };
FormatKind formatKind(QStringView formatCode);

// A cell's value as its format shows it: a time's day fraction, a number, or none for a date or
// a format of another kind, which leaves the cell to its text.
void setValue(SheetCell& cell, double value, FormatKind kind);

// Minutes of a day fraction, to the millisecond: spreadsheets keep 15 significant digits, so
// 37 minutes come as 0.0256944444444444.
double dayFractionMinutes(double dayFraction);
