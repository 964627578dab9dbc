// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/valueaxis.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// From here on a value has ten digits or more, and is drawn in a larger unit.
constexpr double largestWrittenOut = 1e9;
// Values in a larger unit keep this many digits before the point.
constexpr int digitsKept = 4;

} // namespace

double niceStep(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double step : {1.0, 2.0, 5.0})
        if (step * power >= rough)
            return std::max(1.0, step * power);
    return std::max(1.0, 10 * power);
}

double ValueAxis::drawn(double value) const {
    return unitPower == 0 ? value : value / std::pow(10.0, unitPower);
}

double ValueAxis::stepFor(double pixels, double leastApart) const {
    const double span = to - from;
    return pixels > 0 ? std::max(step, niceStep(span * leastApart / pixels)) : span;
}

ValueAxis valueAxis(double low, double high) {
    ValueAxis axis;
    const double largest = std::max(std::abs(low), std::abs(high));
    if (largest >= largestWrittenOut)
        axis.unitPower = int(std::floor(std::log10(largest))) - (digitsKept - 1);
    // Divided first, the values are at most 10^4 in size: nothing below can overflow.
    const double drawnLow = axis.drawn(low), drawnHigh = axis.drawn(high);
    const double room = std::max({(drawnHigh - drawnLow) * 0.1,
                                  std::max(std::abs(drawnLow), std::abs(drawnHigh)) * 0.05, 1.0});
    const double bottom = drawnLow >= 0 ? std::max(0.0, drawnLow - room) : drawnLow - room;
    const double top = drawnHigh + room;
    // About five steps across the span.
    axis.step = niceStep((top - bottom) / 5);
    axis.from = std::floor(bottom / axis.step) * axis.step;
    axis.to = std::ceil(top / axis.step) * axis.step;
    return axis;
}

QString ValueAxis::titled(const QString& title) const {
    if (unitPower == 0)
        return title;
    static const QString superscripts = u"⁰¹²³⁴⁵⁶⁷⁸⁹"_s;
    QString power;
    for (QChar digit : QString::number(unitPower))
        power += digit == u'-' ? u'⁻' : superscripts[digit.digitValue()];
    return u"%1 (× 10%2)"_s.arg(title, power);
}
