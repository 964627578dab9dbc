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
