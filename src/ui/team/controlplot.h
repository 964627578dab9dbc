// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/chartpoints.h"
#include "core/team/valueaxis.h"
#include "ui/controls/plotchart.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QScatterSeries>
#include <QString>
#include <optional>
#include <span>
#include <vector>

class QChart;
class QLineSeries;
class QValueAxis;
class ZoomChartView;

// Where a line lies over a span of x: a line may step from one height to another, as from one
// phase of the sessions to the next.
struct LineStep {
    double from, to;
    double value;
};

// A horizontal line across a control chart, labelled in words beside the plot with its value at
// the right edge; the label's tooltip gives the program's own name for it.
struct ChartLine {
    QString name;  // Mean, UCL, …
    QString label; // Average, Upper limit, …
    QList<LineStep> steps;
    Qt::PenStyle style;
    QColor colour;
};

// How the values with any of these rules are marked, and what the legend calls the mark.
struct MarkKind {
    RuleSet rules;
    QString name;
    QScatterSeries::MarkerShape shape;
    QColor colour;
    bool hollow = false;
};

// One chart of a series against its lines: the values as points joined by a line, the points in
// a signal's window marked, and only as many points drawn as the plot's pixels can show.
class ControlPlot : public QObject {
    Q_OBJECT

public:
    ControlPlot(const QString& xTitle, const QString& valueTitle, const QString& valuesName,
                QWidget* parent);

    ZoomChartView* view() const { return chartView; }
    QChart* chart() const;

    // The series with values[i] at x = firstX + i, the rules of each value when it has marks,
    // the kinds of mark, the first shown over the others, and its lines; not-finite lines are
    // left out. The series must outlive the plot's use of it.
    void setSeries(std::span<const double> values, double firstX, std::span<const RuleSet> marks,
                   const QList<MarkKind>& kinds, const QList<ChartLine>& lines, double fullFrom,
                   double fullTo);
    // Values drawn as rings rather than dots, in order: those that the limits leave out.
    void setHollow(std::vector<qsizetype> indices);
    // Shows the x range given, and draws the points that fall in it.
    void showRange(double from, double to);
    // The value drawn nearest a point of the chart, if one lies within a few pixels of it.
    std::optional<qsizetype> valueNear(const QPointF& chartValue) const;

private:
    void redraw();
    void setLines(const QList<ChartLine>& lines);
    void setLegendMarks();
    static ValueAxis valueAxisFor(std::span<const double> seriesValues,
                                  const QList<ChartLine>& lines);

    PlotChart plot;
    ZoomChartView* chartView;
    QLineSeries* valueLine;
    QList<QLineSeries*> lineSeries;
    QList<LineStep> seriesSteps; // where each of lineSeries lies
    QList<QScatterSeries*> legendMarks;

    QString valueAxisTitle;
    ValueAxis axis;
    // The values in the axis' unit, when it is not dollars; `values` shows them.
    std::vector<double> drawnValues;
    std::span<const double> values;
    std::span<const RuleSet> marks;
    QList<MarkKind> markKinds;
    std::vector<qsizetype> hollow;
    std::vector<RuleSet> kindRules;
    double firstX = 0, shownFrom = 0, shownTo = 1, fullFrom = 0, fullTo = 1;
    bool redrawn = false; // since the range was last set
};
