// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A value axis read at a glance: a little room around the values, and ticks at whole numbers
// 1, 2 or 5 times a power of ten apart. Values too large to write out are drawn in a unit of a
// power of ten that leaves them four digits, so that no label is cut and no span overflows.
struct ValueAxis {
    int unitPower = 0;       // values are drawn divided by 10^unitPower
    double from = 0, to = 1; // the range, in drawn units; both are ticks
    double step = 1;         // between ticks, in drawn units; a whole number

    double drawn(double value) const;
    // The axis' title, with its unit when that is not 1: "Dollars (× 10⁶)".
    QString titled(const QString& title) const;
    // The step, or a larger one on the same 1, 2, 5 scale, that sets the ticks at least
    // `leastApart` pixels apart on an axis `pixels` long.
    double stepFor(double pixels, double leastApart) const;
};

// The least of 1, 2 or 5 times a power of ten that is at least `rough`, and at least 1: a step
// between ticks that reads at a glance.
double niceStep(double rough);

// The axis for values from `low` to `high` (finite, low <= high). The range goes below 0 only
// when a value does.
ValueAxis valueAxis(double low, double high);
