// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/controlplot.h"

#include "core/common/wholenumber.h"
#include "core/team/valueaxis.h"
#include "ui/controls/zoomchartview.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegendMarker>
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
// Below this many pixels a point, each point is drawn as a dot as well.
constexpr int pixelsPerDot = 6;

enum class MarkShape { Circle, Diamond };

QPainterPath markShape(MarkShape shape, double size) {
    QPainterPath path;
    const double r = size / 2;
    if (shape == MarkShape::Circle)
        path.addEllipse(QPointF(), r, r);
    else
        path.addPolygon(QPolygonF{{0, -r}, {r, 0}, {0, r}, {-r, 0}, {0, -r}});
    return path;
}

// The marks themselves are drawn by the view; their series stand only in the legend.
QLineSeries* legendEntry(const QString& name, const QColor& fill) {
    auto* series = new QLineSeries;
    series->setName(name);
    series->setColor(fill);
    return series;
}

// Two points in a square of 3 pixels lie at most 3·√2 ≈ 4.24 pixels apart, and each mark covers
// more than that around its centre: the circle 4.5 pixels with its outline, the diamond 4.7.
constexpr int markSpacing = 3;
const QColor valueColour(40, 70, 150);
const QColor markedFill(245, 160, 30);
const QColor beyondLimitsFill(210, 30, 30);

// About eight ticks at whole numbers of sessions: 1, 2 or 5 times a power of ten.
double tickInterval(double span) {
    const double rough = span / 8;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double step : {1.0, 2.0, 5.0})
        if (step * power >= rough)
            return std::max(1.0, step * power);
    return std::max(1.0, 10 * power);
}

// "10" and the power in superscript digits.
QString powerOfTen(int power) {
    static const QString superscripts = u"⁰¹²³⁴⁵⁶⁷⁸⁹"_s;
    QString text = u"10"_s;
    for (QChar digit : QString::number(power))
        text += digit == u'-' ? u'⁻' : superscripts[digit.digitValue()];
    return text;
}

void showInLegend(QChart* chart, QAbstractSeries* series, bool shown) {
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(shown);
}

} // namespace

ControlPlot::ControlPlot(const QString& xTitle, const QString& valueTitle,
                         const QString& valuesName, QWidget* parent)
    : QObject(parent), valueAxisTitle(valueTitle) {
    auto* chart = new QChart;
    chart->setBackgroundVisible(false);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chartView = new ZoomChartView(chart, parent);

    xAxis = new QValueAxis(this);
    xAxis->setLabelFormat(u"%.0f"_s);
    xAxis->setTickType(QValueAxis::TicksDynamic);
    xAxis->setTickAnchor(0);
    xAxis->setTitleText(xTitle);
    yAxis = new QValueAxis(this);
    yAxis->setLabelFormat(u"%.0f"_s);
    yAxis->setTickType(QValueAxis::TicksDynamic);
    yAxis->setTickAnchor(0);
    lineLabels = new QCategoryAxis(this);
    lineLabels->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    lineLabels->setGridLineVisible(false);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    chart->addAxis(lineLabels, Qt::AlignRight);
    connect(yAxis, &QValueAxis::rangeChanged, lineLabels, &QCategoryAxis::setRange);

    valueLine = new QLineSeries(this);
    valueLine->setName(valuesName);
    valueLine->setPen(QPen(valueColour, 1));
    marked = legendEntry(u"In a signal’s window"_s, markedFill);
    beyondLimits = legendEntry(u"Beyond the limits (signal 1)"_s, beyondLimitsFill);
    for (QXYSeries* series : {static_cast<QXYSeries*>(valueLine), static_cast<QXYSeries*>(marked),
                              static_cast<QXYSeries*>(beyondLimits)}) {
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    // The labels axis shows only with a series of its own.
    auto* labelAnchor = new QLineSeries(this);
    chart->addSeries(labelAnchor);
    labelAnchor->attachAxis(xAxis);
    labelAnchor->attachAxis(lineLabels);
    showInLegend(chart, labelAnchor, false);

    connect(chart, &QChart::plotAreaChanged, this, &ControlPlot::redraw);
}

QChart* ControlPlot::chart() const {
    return chartView->chart();
}

void ControlPlot::setSeries(std::span<const double> seriesValues, double seriesFirstX,
                            std::span<const RuleSet> seriesMarks, const QList<ChartLine>& lines,
                            double fullFromX, double fullToX) {
    fitValueAxis(seriesValues, lines);
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
    for (QXYSeries* series : {marked, beyondLimits})
        showInLegend(chart(), series, !marks.empty());
    setLines(lines);
    showRange(fullFrom, fullTo);
}

void ControlPlot::setLines(const QList<ChartLine>& lines) {
    qDeleteAll(lineSeries);
    lineSeries.clear();
    for (const QString& label : lineLabels->categoriesLabels())
        lineLabels->remove(label);

    QList<ChartLine> shown;
    for (const ChartLine& line : lines)
        if (std::isfinite(line.value))
            shown.append(line);
    for (const ChartLine& line : std::as_const(shown)) {
        auto* series = new QLineSeries(this);
        series->setPen(QPen(line.colour, 1.5, line.style));
        series->append({{fullFrom, axis.drawn(line.value)}, {fullTo, axis.drawn(line.value)}});
        chart()->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
        showInLegend(chart(), series, false);
        lineSeries.append(series);
    }
    // A label for each height, the first line named at it (the centre line comes first).
    std::ranges::stable_sort(shown, {}, &ChartLine::value);
    double labelled = -std::numeric_limits<double>::infinity();
    for (const ChartLine& line : std::as_const(shown)) {
        const double at = axis.drawn(line.value);
        if (at > labelled)
            lineLabels->append(line.name + u' ' + wholeNumberText(at), at);
        labelled = at;
    }
}

// Everything in sight whatever the x range, so that points keep their place on a zoom.
void ControlPlot::fitValueAxis(std::span<const double> seriesValues,
                               const QList<ChartLine>& lines) {
    double low = std::numeric_limits<double>::infinity(), high = -low;
    const auto take = [&](double value) {
        if (std::isfinite(value))
            low = std::min(low, value), high = std::max(high, value);
    };
    for (double value : seriesValues)
        take(value);
    for (const ChartLine& line : lines)
        take(line.value);
    axis = low <= high ? valueAxis(low, high) : valueAxis(0, 0);
    yAxis->setRange(axis.from, axis.to);
    yAxis->setTickInterval(axis.step);
    yAxis->setTitleText(axis.unitPower == 0
                            ? valueAxisTitle
                            : u"%1 (× %2)"_s.arg(valueAxisTitle, powerOfTen(axis.unitPower)));
}

void ControlPlot::showRange(double from, double to) {
    shownFrom = from;
    shownTo = to;
    // Emptied first, the line is laid out once, for the new range, not once more for the old.
    valueLine->clear();
    xAxis->setTickInterval(tickInterval(to - from));
    xAxis->setRange(from, to);
    chartView->setXRanges(fullFrom, fullTo, from, to);
    redraw();
}

void ControlPlot::redraw() {
    const QRectF plot = chart()->plotArea();
    const PlotFrame frame{shownFrom,
                          shownTo,
                          yAxis->min(),
                          yAxis->max(),
                          std::max(1, int(plot.width())),
                          std::max(1, int(plot.height())),
                          markSpacing};
    ChartPoints points = chartPoints(values, firstX, frame, marks);
    // Each point gets a dot of its own where there is room for it.
    QList<QPointF> dots;
    if (points.line.size() * pixelsPerDot <= frame.width)
        dots = points.line;
    // A line that zigzags up and down every pixel looks no better smoothed, and takes far longer.
    chartView->setRenderHint(QPainter::Antialiasing, points.line.size() <= 2 * frame.width);
    valueLine->replace(points.line);
    chartView->setMarks(
        {{std::move(dots), markShape(MarkShape::Circle, 5), valueColour},
         {std::move(points.marked), markShape(MarkShape::Circle, 8), markedFill},
         {std::move(points.beyondLimits), markShape(MarkShape::Diamond, 12), beyondLimitsFill}});
}

std::optional<qsizetype> ControlPlot::valueNear(const QPointF& chartValue) const {
    const QRectF plot = chart()->plotArea();
    const double xScale = plot.width() / (shownTo - shownFrom);
    const double yScale = plot.height() / (yAxis->max() - yAxis->min());
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
