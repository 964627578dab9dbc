// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/analysis.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QPageSize>
#include <QPicture>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

class QPagedPaintDevice;
class QGraphicsView;

// A chart as drawn on the screen, kept as the drawing commands, so that a page drawn on another
// thread shows it as vectors.
struct ChartPicture {
    QPicture drawing;
    QSize size;
};
// Must be called on the window's thread.
ChartPicture chartPicture(QGraphicsView* view);

// What a report of an analysis holds, gathered from the chart window: its charts as drawn there,
// and its tables and figures as text.
struct TeamReportContent {
    QString summary; // sessions, hours, won, average rate
    QList<ChartPicture> controlCharts;
    ChartPicture expectationChart;
    QString expectationTitle;
    QString figures;
    QStringList phaseColumns;
    QList<QStringList> phases;
    QString rules;
    std::shared_ptr<const Analysis> analysis; // whose result lines the report lists
};

// Lays the report out over the device's pages: the title with today's date and the summary, the
// control chart, the expectation chart with its figures, the phases, the rules and every result
// line. The charts stay vectors and the text stays text. False when the device cannot be painted.
// Any thread may lay a report out; `progress` hears how far the result lines have come, and stops
// the work by throwing.
bool paintReport(QPagedPaintDevice& device, const TeamReportContent& content,
                 const ProgressReport& progress = {});

// The report as a PDF document on the locale's paper; empty when it could not be made.
QByteArray reportPdf(const TeamReportContent& content, const QLocale& locale = QLocale(),
                     const ProgressReport& progress = {});

// Letter where the locale measures in US units or its country uses Letter, A4 elsewhere.
QPageSize::PageSizeId paperFor(const QLocale& locale);
