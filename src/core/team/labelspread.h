// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>
#include <vector>

// Where to put labels of one height that each want to be centred at a place on one axis, so that
// none overlaps another: each group of labels that would collide is stacked in their order and
// centred where its labels want to be on average, then kept between `from` and `to`. No label is
// ever left out; when they cannot all fit, they are stacked from `from` on.
std::vector<double> spreadLabels(std::span<const double> wanted, double height, double from,
                                 double to);
