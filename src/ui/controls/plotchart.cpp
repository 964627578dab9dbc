// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/plotchart.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QValueAxis>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

void PlotChart::attach(QAbstractSeries* series) const {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

namespace {

constexpr double ticksAbout = 8;

// Qt Charts lays out an item for every tick of each range and interval an axis passes through,
// however briefly: a million-session range with the interval of a 60-session one took seconds.
// The interval goes first, so that a zoom or pan lays the plot out once, unless the old range
// would take too many ticks of it; then the range does, which takes few of the old interval.
void setSpan(QValueAxis* axis, double from, double to, double interval) {
    if ((axis->max() - axis->min()) / interval <= ticksAbout * ticksAbout) {
        axis->setTickInterval(interval);
        axis->setRange(from, to);
    } else {
        axis->setRange(from, to);
        axis->setTickInterval(interval);
    }
}

} // namespace

void PlotChart::showX(double from, double to) const {
    setSpan(x, from, to, niceStep((to - from) / ticksAbout));
}

void PlotChart::showValues(const ValueAxis& axis) const {
    setSpan(y, axis.from, axis.to, axis.step);
}

PlotFrame PlotChart::frame(double from, double to, const ValueAxis& axis, int lineHeight,
                           int markSpacing) const {
    const QRectF plot = chart->plotArea();
    y->setTickInterval(axis.stepFor(plot.height(), 2.0 * lineHeight));
    return {from,
            to,
            y->min(),
            y->max(),
            std::max(1, int(plot.width())),
            std::max(1, int(plot.height())),
            markSpacing};
}

PlotChart makePlotChart(const QString& xTitle, QObject* owner) {
    auto* chart = new QChart;
    chart->setBackgroundVisible(false);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    const auto axis = [owner] {
        auto* made = new QValueAxis(owner);
        made->setLabelFormat(u"%.0f"_s);
        made->setTickType(QValueAxis::TicksDynamic);
        made->setTickAnchor(0);
        return made;
    };
    const PlotChart plot{chart, axis(), axis()};
    plot.x->setTitleText(xTitle);
    chart->addAxis(plot.x, Qt::AlignBottom);
    chart->addAxis(plot.y, Qt::AlignLeft);
    return plot;
}
