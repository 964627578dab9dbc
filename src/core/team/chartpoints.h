// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/signalrules.h"

#include <QList>
#include <QPointF>
#include <span>

// The part of a series a plot shows, and the pixels it has for it.
struct PlotFrame {
    double xFrom = 0, xTo = 1; // x of the left and right edges
    double yFrom = 0, yTo = 1; // y of the bottom and top edges
    int width = 1, height = 1; // pixels
    // Marks drawn this many pixels apart or closer look as one: each mark covers the square of
    // this side around it.
    int markSpacing = 1;
};

// What a plot draws of a series: never more points than its pixels can tell apart.
struct ChartPoints {
    // The series as a line: every point where there is room for it; otherwise, in each pixel
    // column, the first, the lowest, the highest and the last point, in their order.
    QList<QPointF> line;
    // For each family of rules, the points marked with it: a point whose rules hold any of the
    // family's and none of an earlier family's. One for each square of markSpacing pixels that
    // holds any and no mark of an earlier family, so that every marked point lies under a mark
    // of its family or of one that shows over it, however many share a column.
    QList<QList<QPointF>> marked;
};

// The points of values[i] at x = firstX + i within the frame, and one beyond each edge, so that
// the line runs on out of sight. `marks`, when given, holds the rules of each value, and
// `families` the rules each kind of mark stands for, the one that shows first. Values that are
// not finite are left out.
ChartPoints chartPoints(std::span<const double> values, double firstX, const PlotFrame& frame,
                        std::span<const RuleSet> marks = {},
                        std::span<const RuleSet> families = {});

// The line of a path through (xs[i], values[i]), its xs never going down, within the frame and one
// point beyond each edge: every point where there is room for it; otherwise, in each pixel
// column, the first, the lowest, the highest and the last, as chartPoints draws its line.
QList<QPointF> pathPoints(std::span<const double> xs, std::span<const double> values,
                          const PlotFrame& frame);
