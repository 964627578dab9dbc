// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/chartpoints.h"
#include "core/team/valueaxis.h"

#include <QString>

class QAbstractSeries;
class QChart;
class QObject;
class QValueAxis;

// The chart of a plot in a ZoomChartView: no background or margins of its own, so that small
// windows keep the room for the plot, the legend below, and two value axes with whole-number
// labels and ticks anchored at 0.
struct PlotChart {
    QChart* chart;
    QValueAxis* x;
    QValueAxis* y;

    void attach(QAbstractSeries* series) const;
    // Shows x from `from` to `to`, with about eight ticks.
    void showX(double from, double to) const;
    // Shows the values of `axis`, ticked at its own step until the plot is framed.
    void showValues(const ValueAxis& axis) const;
    // The frame the plot draws x from `from` to `to` in, its value ticks set for its height at
    // least two lines of text apart.
    PlotFrame frame(double from, double to, const ValueAxis& axis, int lineHeight,
                    int markSpacing = 1) const;
};

// The axes belong to `owner`; the chart to the view it is given to.
PlotChart makePlotChart(const QString& xTitle, QObject* owner);
