// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <span>
#include <vector>

// The lines of an individuals and moving-range chart over a series of hourly rates.
struct ChartLines {
    double Mean = 0;  // centre line
    double MRBar = 0; // average moving range
    double UCL = 0;   // natural process limits
    double LCL = 0;
    double USig2 = 0; // the Sigma 2 lines
    double LSig2 = 0;
    double USig1 = 0; // the Sigma 1 lines
    double LSig1 = 0;
};

// Dollars per hour; a session shorter than an hour, or of no or negative length, counts as one
// hour. Hours are held in single precision.
double hourlyRate(double amount, double minutes);

// The moving ranges of sessions 2 to N: element j is |Rate[j + 1] - Rate[j]|.
std::vector<double> movingRanges(std::span<const double> Rate);

// The upper limit of the moving ranges.
inline double rangeLimit(const ChartLines& lines) {
    return lines.MRBar * 3.268;
}

// The chart lines of a non-empty series and its moving ranges, less the sessions left out: their
// indices into Rate, in order. A moving range counts only between two sessions kept; with none,
// MRBar is 0.
ChartLines chartLines(std::span<const double> Rate, std::span<const double> MovRange,
                      std::span<const qsizetype> leftOut = {});
