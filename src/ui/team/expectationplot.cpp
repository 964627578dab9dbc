// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/expectationplot.h"

#include "core/team/chartpoints.h"
#include "ui/controls/zoomchartview.h"

#include <QAreaSeries>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

// How near the pointer must come to a point, in pixels, to be on it.
constexpr double pointerReach = 8;
// Below this many pixels a point, each session's end is drawn as a dot as well.
constexpr int pixelsPerDot = 6;
// The bands are curves in √hours: one point every few pixels draws them smooth.
constexpr int pixelsPerBandPoint = 3;
const QColor actualColour(30, 30, 30);
const QColor expectedColour(0, 114, 178);
// The inner band darkest, so that the bands read as layers of one colour.
const QColor bandColours[] = {QColor(158, 202, 225), QColor(198, 219, 239), QColor(226, 236, 247)};

QPainterPath dot() {
    QPainterPath path;
    path.addEllipse(QPointF(), 2.5, 2.5);
    return path;
}

} // namespace

ExpectationPlot::ExpectationPlot(QWidget* parent)
    : QObject(parent), plot(makePlotChart(u"Hours played"_s, this)) {
    QChart* chart = plot.chart;
    // The series are added widest band first, so that the record's line is drawn on top; the
    // legend names the line first.
    chart->legend()->setReverseMarkers(true);
    chartView = new ZoomChartView(chart, parent);

    // The widest band first, under the narrower ones.
    for (int k = 3; k >= 1; --k) {
        auto* band = new QAreaSeries(new QLineSeries(this), new QLineSeries(this));
        band->setParent(this);
        band->setName(u"±%1 SD"_s.arg(k));
        band->setColor(bandColours[k - 1]);
        band->setBorderColor(bandColours[k - 1].darker(115));
        plot.attach(band);
        bands.prepend(band);
    }
    expected = new QLineSeries(this);
    expected->setName(u"Expected"_s);
    expected->setPen(QPen(expectedColour, 2, Qt::DashLine));
    plot.attach(expected);
    actual = new QLineSeries(this);
    actual->setName(u"Won"_s);
    actual->setPen(QPen(actualColour, 1.5));
    plot.attach(actual);

    connect(chart, &QChart::plotAreaChanged, this, &ExpectationPlot::redraw);
}

QChart* ExpectationPlot::chart() const {
    return chartView->chart();
}

void ExpectationPlot::setRecord(const ExpectationPath* record, std::optional<GameRates> rates) {
    path = record;
    game = rates;
    axis = valueAxisFor();
    drawnWon.clear();
    if (axis.unitPower != 0) {
        drawnWon.resize(path->won.size());
        std::ranges::transform(path->won, drawnWon.begin(),
                               [this](double won) { return axis.drawn(won); });
    }
    plot.showValues(axis);
    plot.y->setTitleText(axis.titled(u"Dollars won"_s));
    for (QAreaSeries* band : std::as_const(bands))
        band->setVisible(game.has_value());
    expected->setVisible(game.has_value());
    const double hours = path->hours.back();
    showRange(0, std::isfinite(hours) && hours > 0 ? hours : 1);
}

// Everything in sight whatever the range: the path, and the widest band over all its hours,
// whose edges may turn where the spread outgrows the expected win.
ValueAxis ExpectationPlot::valueAxisFor() const {
    double low = 0, high = 0;
    const auto take = [&](double value) {
        if (std::isfinite(value))
            low = std::min(low, value), high = std::max(high, value);
    };
    std::ranges::for_each(path->won, take);
    if (game) {
        constexpr int samples = 256;
        const double hours = path->hours.back();
        for (int i = 0; i <= samples; ++i)
            for (double k : {-3.0, 3.0})
                take(bandEdge(*game, hours * i / samples, k));
    }
    return valueAxis(low, high);
}

void ExpectationPlot::showRange(double fromHours, double toHours) {
    shownFrom = fromHours;
    shownTo = toHours;
    plot.showX(fromHours, toHours);
    const double fullTo = path && path->hours.back() > 0 ? path->hours.back() : 1;
    chartView->setXRanges(0, std::isfinite(fullTo) ? fullTo : 1, fromHours, toHours);
    redrawn = false;
    chart()->layout()->activate();
    if (!redrawn)
        redraw();
}

void ExpectationPlot::redraw() {
    redrawn = true;
    if (!path)
        return;
    const PlotFrame frame = plot.frame(shownFrom, shownTo, axis, chartView->fontMetrics().height());
    const QList<QPointF> line =
        pathPoints(path->hours, drawnWon.empty() ? path->won : drawnWon, frame);
    chartView->setRenderHint(QPainter::Antialiasing, line.size() <= 2 * frame.width);
    actual->replace(line);
    QList<ChartMarks> dots;
    if (line.size() * pixelsPerDot <= frame.width)
        dots.append({line, dot(), actualColour});
    chartView->setMarks(std::move(dots));
    if (!game)
        return;

    // Hours before the first session's start are not drawn: the bands begin at 0.
    const double from = std::max(0.0, shownFrom), to = std::max(from, shownTo);
    const int points = std::max(2, frame.width / pixelsPerBandPoint);
    for (int k = 1; k <= 3; ++k) {
        QList<QPointF> upper, lower;
        upper.reserve(points + 1);
        lower.reserve(points + 1);
        for (int i = 0; i <= points; ++i) {
            const double hours = from + (to - from) * i / points;
            upper.append({hours, axis.drawn(bandEdge(*game, hours, k))});
            lower.append({hours, axis.drawn(bandEdge(*game, hours, -k))});
        }
        bands[k - 1]->upperSeries()->replace(upper);
        bands[k - 1]->lowerSeries()->replace(lower);
    }
    expected->replace(
        {{from, axis.drawn(bandEdge(*game, from, 0))}, {to, axis.drawn(bandEdge(*game, to, 0))}});
}

std::optional<qsizetype> ExpectationPlot::sessionNear(const QPointF& chartValue) const {
    if (!path)
        return std::nullopt;
    const std::vector<double>& hours = path->hours;
    const std::vector<double>& won = drawnWon.empty() ? path->won : drawnWon;
    const QRectF area = chart()->plotArea();
    const double xScale = area.width() / (shownTo - shownFrom);
    const double yScale = area.height() / (plot.y->max() - plot.y->min());
    const double reach = pointerReach / xScale;
    // The start, point 0, is no session's end.
    auto i = std::max(std::lower_bound(hours.begin(), hours.end(), chartValue.x() - reach),
                      hours.begin() + 1);
    std::optional<qsizetype> nearest;
    double nearestDistance = pointerReach;
    for (; i != hours.end() && *i <= chartValue.x() + reach; ++i) {
        const auto point = std::size_t(i - hours.begin());
        const double dx = (*i - chartValue.x()) * xScale;
        const double dy = (won[point] - chartValue.y()) * yScale;
        if (const double distance = std::hypot(dx, dy); distance <= nearestDistance)
            nearest = qsizetype(point) - 1, nearestDistance = distance;
    }
    return nearest;
}
