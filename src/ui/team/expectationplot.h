// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/expectation.h"
#include "core/team/valueaxis.h"
#include "ui/controls/plotchart.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <optional>
#include <vector>

class QAreaSeries;
class QChart;
class QLineSeries;
class QValueAxis;
class ZoomChartView;

// A record's dollars won against the hours played, beside the win the game should have given and
// the bands of one, two and three standard deviations around it that luck keeps most records
// within. Only as many points are drawn as the plot's pixels can show.
class ExpectationPlot : public QObject {
    Q_OBJECT

public:
    explicit ExpectationPlot(QWidget* parent);

    ZoomChartView* view() const { return chartView; }
    QChart* chart() const;

    // The record, and the game it is judged by when there is one; the path must outlive the
    // plot's use of it.
    void setRecord(const ExpectationPath* path, std::optional<GameRates> game);
    // Shows the hours given, and draws what falls in them.
    void showRange(double fromHours, double toHours);
    // The session whose end is drawn nearest a point of the chart, if one lies within a few
    // pixels of it.
    std::optional<qsizetype> sessionNear(const QPointF& chartValue) const;

private:
    void redraw();
    ValueAxis valueAxisFor() const;

    PlotChart plot;
    ZoomChartView* chartView;
    QLineSeries* actual;
    QLineSeries* expected;
    QList<QAreaSeries*> bands; // ±1, ±2, ±3 SD

    const ExpectationPath* path = nullptr;
    std::optional<GameRates> game;
    ValueAxis axis;
    std::vector<double> drawnWon; // the won in the axis' unit, when it is not dollars
    double shownFrom = 0, shownTo = 1;
    bool redrawn = false; // since the range was last set
};
