// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/controlplot.h"

#include "core/common/wholenumber.h"
#include "ui/controls/zoomchartview.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace {

// How near the pointer must come to a point, in pixels, to be on it.
constexpr double pointerReach = 8;
// Below this many pixels a point, each point is drawn as a dot as well.
constexpr int pixelsPerDot = 6;
// Across a mark, in pixels. Two points in a square of 3 pixels lie at most 3·√2 ≈ 4.24 pixels
// apart, and every mark covers more than that around its centre.
constexpr double markSize = 11;
constexpr int markSpacing = 3;
const QColor valueColour(50, 50, 50);

// A regular polygon of `corners` corners around (0, 0), the first straight up; a star when
// `inner` is the share of the radius its inner corners keep.
QPainterPath polygon(int corners, double radius, double inner = 1) {
    QPolygonF points;
    const int steps = inner < 1 ? 2 * corners : corners;
    for (int k = 0; k <= steps; ++k) {
        const double angle = 2 * std::numbers::pi * k / steps;
        const double r = k % 2 == 1 && inner < 1 ? radius * inner : radius;
        points << QPointF(r * std::sin(angle), -r * std::cos(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    return path;
}

// The shape the legend shows for a kind of mark, drawn the same on the plot.
QPainterPath markShape(QScatterSeries::MarkerShape shape, double size) {
    const double r = size / 2;
    QPainterPath path;
    switch (shape) {
    case QScatterSeries::MarkerShapeRectangle:
        path.addRect(-r * 0.8, -r * 0.8, r * 1.6, r * 1.6);
        return path;
    case QScatterSeries::MarkerShapeRotatedRectangle:
        return polygon(4, r * 1.1);
    case QScatterSeries::MarkerShapeTriangle:
        return polygon(3, r * 1.15);
    case QScatterSeries::MarkerShapeStar:
        return polygon(5, r * 1.25, 0.45);
    case QScatterSeries::MarkerShapePentagon:
        return polygon(5, r);
    default:
        path.addEllipse(QPointF(), r * 0.85, r * 0.85);
        return path;
    }
}

void showInLegend(QChart* chart, QAbstractSeries* series, bool shown) {
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(shown);
}

} // namespace

ControlPlot::ControlPlot(const QString& xTitle, const QString& valueTitle,
                         const QString& valuesName, QWidget* parent)
    : QObject(parent), plot(makePlotChart(xTitle, this)), valueAxisTitle(valueTitle) {
    QChart* chart = plot.chart;
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    // A name cut short in a narrow window is read whole by pointing at it.
    chart->legend()->setShowToolTips(true);
    chartView = new ZoomChartView(chart, parent);

    valueLine = new QLineSeries(this);
    valueLine->setName(valuesName);
    valueLine->setPen(QPen(valueColour, 1));
    plot.attach(valueLine);

    connect(chart, &QChart::plotAreaChanged, this, &ControlPlot::redraw);
}

QChart* ControlPlot::chart() const {
    return chartView->chart();
}

void ControlPlot::setSeries(std::span<const double> seriesValues, double seriesFirstX,
                            std::span<const RuleSet> seriesMarks, const QList<MarkKind>& kinds,
                            const QList<ChartLine>& lines, double fullFromX, double fullToX) {
    // The new series in place before any change to the chart, whose layout may redraw at once.
    axis = valueAxisFor(seriesValues, lines);
    if (axis.unitPower == 0) {
        values = seriesValues;
        drawnValues.clear();
    } else {
        drawnValues.resize(seriesValues.size());
        std::ranges::transform(seriesValues, drawnValues.begin(),
                               [this](double value) { return axis.drawn(value); });
        values = drawnValues;
    }
    marks = seriesMarks;
    firstX = seriesFirstX;
    fullFrom = fullFromX;
    fullTo = fullToX;
    markKinds = kinds;
    kindRules.clear();
    for (const MarkKind& kind : kinds)
        kindRules.push_back(kind.rules);
    plot.showValues(axis);
    plot.y->setTitleText(axis.titled(valueAxisTitle));
    setLegendMarks();
    setLines(lines);
    showRange(fullFrom, fullTo);
}

// The legend names only the kinds of mark the series has.
void ControlPlot::setLegendMarks() {
    for (QScatterSeries* entry : std::as_const(legendMarks)) {
        chart()->removeSeries(entry);
        delete entry;
    }
    legendMarks.clear();
    RuleSet present = 0;
    for (RuleSet rules : marks)
        present |= rules;
    for (const MarkKind& kind : std::as_const(markKinds)) {
        if (!(present & kind.rules))
            continue;
        auto* entry = new QScatterSeries;
        entry->setName(kind.name);
        entry->setMarkerShape(kind.shape);
        entry->setMarkerSize(markSize);
        entry->setColor(kind.hollow ? Qt::transparent : kind.colour);
        entry->setBorderColor(kind.hollow ? kind.colour : kind.colour.darker(170));
        plot.attach(entry);
        legendMarks.append(entry);
    }
}

void ControlPlot::setLines(const QList<ChartLine>& lines) {
    qDeleteAll(lineSeries);
    lineSeries.clear();
    seriesSteps.clear();
    QList<LineLabel> labels;
    for (const ChartLine& line : lines) {
        const QPen pen(line.colour, 1.5, line.style);
        for (const LineStep& step : line.steps) {
            if (!std::isfinite(step.value))
                continue;
            auto* series = new QLineSeries(this);
            series->setPen(pen);
            plot.attach(series);
            showInLegend(chart(), series, false);
            lineSeries.append(series);
            seriesSteps.append({step.from, step.to, axis.drawn(step.value)});
        }
        if (line.steps.isEmpty() || !std::isfinite(line.steps.last().value))
            continue;
        const double last = line.steps.last().value;
        labels.append({line.label + u' ' + signedWholeNumberText(axis.drawn(last)),
                       line.name + u' ' + QString::number(last, 'g', 15), axis.drawn(last), pen});
    }
    chartView->setLineLabels(std::move(labels));
}

// Everything in sight whatever the x range, so that points keep their place on a zoom.
ValueAxis ControlPlot::valueAxisFor(std::span<const double> seriesValues,
                                    const QList<ChartLine>& lines) {
    double low = std::numeric_limits<double>::infinity(), high = -low;
    const auto take = [&](double value) {
        if (std::isfinite(value))
            low = std::min(low, value), high = std::max(high, value);
    };
    for (double value : seriesValues)
        take(value);
    for (const ChartLine& line : lines)
        for (const LineStep& step : line.steps)
            take(step.value);
    return low <= high ? valueAxis(low, high) : valueAxis(0, 0);
}

void ControlPlot::setHollow(std::vector<qsizetype> indices) {
    hollow = std::move(indices);
    redraw();
}

void ControlPlot::showRange(double from, double to) {
    shownFrom = from;
    shownTo = to;
    // Emptied first, the line is laid out once, for the new range, not once more for the old.
    valueLine->clear();
    // Across the range in sight only, so that a dash keeps its length however far in the view
    // is zoomed.
    for (qsizetype i = 0; i < lineSeries.size(); ++i) {
        const LineStep& step = seriesSteps[i];
        const double left = std::max(from, step.from), right = std::min(to, step.to);
        lineSeries[i]->replace(left < right
                                   ? QList<QPointF>{{left, step.value}, {right, step.value}}
                                   : QList<QPointF>());
    }
    plot.showX(from, to);
    chartView->setXRanges(fullFrom, fullTo, from, to);
    // New tick labels may move the plot's edges: laid out now, a plot whose area changes is
    // drawn once, for its new area, not once more for the old.
    redrawn = false;
    chart()->layout()->activate();
    if (!redrawn)
        redraw();
}

void ControlPlot::redraw() {
    redrawn = true;
    const PlotFrame frame =
        plot.frame(shownFrom, shownTo, axis, chartView->fontMetrics().height(), markSpacing);
    ChartPoints points = chartPoints(values, firstX, frame, marks, kindRules);
    // Each point gets a dot of its own where there is room for it.
    QList<ChartMarks> layers;
    if (points.line.size() * pixelsPerDot <= frame.width)
        layers.append({points.line, markShape(QScatterSeries::MarkerShapeCircle, 5), valueColour});
    // A line that zigzags up and down every pixel looks no better smoothed, and takes far longer.
    chartView->setRenderHint(QPainter::Antialiasing, points.line.size() <= 2 * frame.width);
    valueLine->replace(points.line);
    // The first kind shows over the others.
    for (qsizetype k = points.marked.size() - 1; k >= 0; --k) {
        const MarkKind& kind = markKinds[k];
        layers.append({std::move(points.marked[k]), markShape(kind.shape, markSize), kind.colour,
                       kind.hollow});
    }
    // Few values are left out: each is ringed wherever it is in sight.
    QList<QPointF> rings;
    for (auto i = std::ranges::lower_bound(hollow, qsizetype(std::ceil(shownFrom - firstX)));
         i != hollow.end() && firstX + double(*i) <= shownTo && *i < std::ssize(values); ++i)
        if (std::isfinite(values[std::size_t(*i)]))
            rings.append({firstX + double(*i), values[std::size_t(*i)]});
    // Over every other mark, and wide enough to go round it.
    layers.append(
        {std::move(rings), markShape(QScatterSeries::MarkerShapeCircle, 19), valueColour, true});
    chartView->setMarks(std::move(layers));
}

std::optional<qsizetype> ControlPlot::valueNear(const QPointF& chartValue) const {
    const QRectF area = chart()->plotArea();
    const double xScale = area.width() / (shownTo - shownFrom);
    const double yScale = area.height() / (plot.y->max() - plot.y->min());
    const double reach = pointerReach / xScale;
    const auto first = qsizetype(std::max(0.0, std::ceil(chartValue.x() - reach - firstX)));
    const auto last = std::min<qsizetype>(std::ssize(values) - 1,
                                          qsizetype(std::floor(chartValue.x() + reach - firstX)));
    std::optional<qsizetype> nearest;
    double nearestDistance = pointerReach;
    for (qsizetype i = first; i <= last; ++i) {
        const double dx = (firstX + double(i) - chartValue.x()) * xScale;
        const double dy = (values[std::size_t(i)] - chartValue.y()) * yScale;
        if (const double distance = std::hypot(dx, dy); distance <= nearestDistance)
            nearest = i, nearestDistance = distance;
    }
    return nearest;
}
