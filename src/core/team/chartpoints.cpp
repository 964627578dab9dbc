// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/chartpoints.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Where points fall in the frame, in pixel columns and rows counted from 1; the points beyond an
// edge fall in column or row 0 or one past the last. Halved before they are subtracted, values
// at opposite ends of the doubles still give a finite distance.
class PixelGrid {
public:
    explicit PixelGrid(const PlotFrame& frame)
        : frame(frame), xScale(frame.width / (frame.xTo / 2 - frame.xFrom / 2)),
          yScale(frame.height / (frame.yTo / 2 - frame.yFrom / 2)) {}

    int column(double x) const { return pixel((x / 2 - frame.xFrom / 2) * xScale, frame.width); }
    int row(double y) const { return pixel((frame.yTo / 2 - y / 2) * yScale, frame.height); }

private:
    // An offset that is not a number, from a frame of no height, counts as beyond the edge.
    static int pixel(double offset, int pixels) {
        return offset > -1 ? int(std::min(offset, double(pixels))) + 1 : 0;
    }

    PlotFrame frame;
    double xScale, yScale;
};

// The frame cut into squares of markSpacing pixels.
PlotFrame markSquares(PlotFrame frame) {
    const int spacing = std::max(1, frame.markSpacing);
    frame.width = std::max(1, frame.width / spacing);
    frame.height = std::max(1, frame.height / spacing);
    return frame;
}

// One mark in each square for each kind, and none under a mark that shows over it: each square
// remembers the kind that shows first among the marks in it.
class MarkGrid {
public:
    MarkGrid(QList<QList<QPointF>>& kinds, const PlotFrame& frame)
        : kinds(kinds), squares(markSquares(frame)), rows(markSquares(frame).height + 2),
          shown(std::size_t(markSquares(frame).width + 2) * std::size_t(rows), noKind) {}

    void add(const QPointF& point, int kind) {
        quint8& top = shown[std::size_t(squares.column(point.x())) * std::size_t(rows) +
                            std::size_t(squares.row(point.y()))];
        if (kind < top) {
            kinds[kind].append(point);
            top = quint8(kind);
        }
    }

    static constexpr quint8 noKind = 255;

private:
    QList<QList<QPointF>>& kinds;
    PixelGrid squares;
    int rows;
    std::vector<quint8> shown;
};

// Appends the first, lowest, highest and last of the finite values from `from` to `to`, in their
// order and each once, at the x that `xOf` gives each index.
template <class XOf>
void appendColumn(QList<QPointF>& line, std::span<const double> values, XOf xOf, qsizetype from,
                  qsizetype to) {
    qsizetype first = -1, lowest = 0, highest = 0, last = 0;
    double low = 0, high = 0;
    for (qsizetype i = from; i < to; ++i) {
        const double value = values[std::size_t(i)];
        if (!std::isfinite(value))
            continue;
        if (first < 0)
            first = lowest = highest = i, low = high = value;
        else if (value < low)
            lowest = i, low = value;
        else if (value > high)
            highest = i, high = value;
        last = i;
    }
    if (first < 0)
        return;
    qsizetype kept[] = {first, lowest, highest, last};
    std::ranges::sort(kept);
    for (qsizetype k = 0; k < 4; ++k)
        if (k == 0 || kept[k] != kept[k - 1])
            line.append({xOf(kept[k]), values[std::size_t(kept[k])]});
}

} // namespace

ChartPoints chartPoints(std::span<const double> values, double firstX, const PlotFrame& frame,
                        std::span<const RuleSet> marks, std::span<const RuleSet> families) {
    ChartPoints points;
    const qsizetype n = std::ssize(values);
    const qsizetype from =
        std::clamp<qsizetype>(qsizetype(std::ceil(frame.xFrom - firstX)) - 1, 0, n);
    const qsizetype to =
        std::clamp<qsizetype>(qsizetype(std::floor(frame.xTo - firstX)) + 2, from, n);

    if (to - from <= 2 * qsizetype(frame.width)) {
        for (qsizetype i = from; i < to; ++i)
            if (std::isfinite(values[std::size_t(i)]))
                points.line.append({firstX + double(i), values[std::size_t(i)]});
    } else {
        // Column c holds the points from x = xFrom + c / scale on; the points beyond the edges
        // make columns of their own.
        const double unitsPerColumn = (frame.xTo - frame.xFrom) / frame.width;
        const auto columnStart = [&](int column) {
            return std::clamp<qsizetype>(
                qsizetype(std::ceil(frame.xFrom + column * unitsPerColumn - firstX)), from, to);
        };
        for (int column = -1; column <= frame.width; ++column)
            appendColumn(
                points.line, values, [firstX](qsizetype i) { return firstX + double(i); },
                column < 0 ? from : columnStart(column),
                column == frame.width ? to : columnStart(column + 1));
    }

    if (marks.empty())
        return points;
    points.marked.resize(std::ssize(families));
    // The kind of every set of rules, found once rather than for every point.
    std::vector<quint8> kindOf(std::size_t(1) << signalRuleCount, MarkGrid::noKind);
    for (std::size_t rules = 1; rules < kindOf.size(); ++rules)
        for (std::size_t kind = 0; kind < families.size() && kind < MarkGrid::noKind; ++kind)
            if (rules & families[kind]) {
                kindOf[rules] = quint8(kind);
                break;
            }
    MarkGrid grid(points.marked, frame);
    for (qsizetype i = from; i < to; ++i) {
        const quint8 kind = kindOf[marks[std::size_t(i)] & (kindOf.size() - 1)];
        const double value = values[std::size_t(i)];
        if (kind != MarkGrid::noKind && std::isfinite(value))
            grid.add({firstX + double(i), value}, kind);
    }
    return points;
}

QList<QPointF> pathPoints(std::span<const double> xs, std::span<const double> values,
                          const PlotFrame& frame) {
    const qsizetype n = std::min(std::ssize(xs), std::ssize(values));
    xs = xs.first(std::size_t(n));
    const auto firstAtOrAfter = [xs](double x) {
        return qsizetype(std::lower_bound(xs.begin(), xs.end(), x) - xs.begin());
    };
    const qsizetype from = std::max<qsizetype>(firstAtOrAfter(frame.xFrom) - 1, 0);
    const qsizetype to = std::min<qsizetype>(
        qsizetype(std::upper_bound(xs.begin(), xs.end(), frame.xTo) - xs.begin()) + 1, n);
    const auto xOf = [xs](qsizetype i) {
        return xs[std::size_t(i)];
    };
    QList<QPointF> line;
    if (to - from <= 2 * qsizetype(frame.width)) {
        for (qsizetype i = from; i < to; ++i)
            if (std::isfinite(values[std::size_t(i)]))
                line.append({xOf(i), values[std::size_t(i)]});
        return line;
    }
    const double unitsPerColumn = (frame.xTo - frame.xFrom) / frame.width;
    const auto columnStart = [&](int column) {
        return std::clamp(firstAtOrAfter(frame.xFrom + column * unitsPerColumn), from, to);
    };
    for (int column = -1; column <= frame.width; ++column)
        appendColumn(line, values, xOf, column < 0 ? from : columnStart(column),
                     column == frame.width ? to : columnStart(column + 1));
    return line;
}
