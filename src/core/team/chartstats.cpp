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

ChartLines chartLines(std::span<const double> Rate, std::span<const double> MovRange) {
    const std::ptrdiff_t N = static_cast<std::ptrdiff_t>(Rate.size());
    ChartLines lines;

    // Both sums run from the last session back to the first; the order fixes the rounding.
    double sum = 0;
    for (std::ptrdiff_t j = N - 1; j >= 0; --j)
        sum += Rate[j];
    lines.Mean = sum / N;

    double totalRange = 0;
    for (std::ptrdiff_t j = std::ssize(MovRange) - 1; j >= 0; --j)
        totalRange += MovRange[std::size_t(j)];
    lines.MRBar = N > 1 ? totalRange / (N - 1) : 0;

    lines.UCL = lines.MRBar * 2.66 + lines.Mean;
    lines.LCL = lines.Mean - lines.MRBar * 2.66;
    lines.USig2 = lines.MRBar * 1.78 + lines.Mean;
    lines.LSig2 = lines.Mean - lines.MRBar * 1.78;
    lines.USig1 = lines.MRBar * 0.89 + lines.Mean;
    lines.LSig1 = lines.Mean - lines.MRBar * 0.89;
    return lines;
}
