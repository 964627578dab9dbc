// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/chartstats.h"

#include <cmath>
#include <cstddef>

double hourlyRate(double amount, double minutes) {
    float hours = static_cast<float>(minutes / 60);
    if (hours < 1)
        hours = 1;
    return amount / static_cast<double>(hours);
}

std::vector<double> movingRanges(std::span<const double> Rate) {
    std::vector<double> MovRange(Rate.empty() ? 0 : Rate.size() - 1);
    for (std::size_t j = 0; j < MovRange.size(); ++j)
        MovRange[j] = std::abs(Rate[j + 1] - Rate[j]);
    return MovRange;
}

ChartLines chartLines(std::span<const double> Rate, std::span<const double> MovRange,
                      std::span<const qsizetype> leftOut) {
    ChartLines lines;

    // Both sums run from the last session back to the first; the order fixes the rounding.
    double sum = 0, totalRange = 0;
    std::ptrdiff_t kept = 0, ranges = 0;
    auto out = leftOut.end(); // those left out that the loop has yet to pass end here
    bool nextKept = false;
    for (std::ptrdiff_t j = std::ssize(Rate) - 1; j >= 0; --j) {
        if (out != leftOut.begin() && out[-1] == j) {
            --out;
            nextKept = false;
            continue;
        }
        sum += Rate[std::size_t(j)];
        ++kept;
        if (nextKept) {
            totalRange += MovRange[std::size_t(j)];
            ++ranges;
        }
        nextKept = true;
    }
    lines.Mean = sum / kept;
    lines.MRBar = ranges > 0 ? totalRange / ranges : 0;

    lines.UCL = lines.MRBar * 2.66 + lines.Mean;
    lines.LCL = lines.Mean - lines.MRBar * 2.66;
    lines.USig2 = lines.MRBar * 1.78 + lines.Mean;
    lines.LSig2 = lines.Mean - lines.MRBar * 1.78;
    lines.USig1 = lines.MRBar * 0.89 + lines.Mean;
    lines.LSig1 = lines.Mean - lines.MRBar * 0.89;
    return lines;
}
