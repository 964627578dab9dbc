// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/teamreport.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QGraphicsView>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double marginMm = 15;
// The screen's, so that the text the charts draw themselves comes out at the size the charts
// make room for: the pages are vectors whatever the resolution.
constexpr int pdfResolution = 96;

// Fills pages from the top down, starting a new one when the next piece does not fit, and
// numbers each page at its foot.
class ReportPages {
public:
    ReportPages(QPainter& painter, QPagedPaintDevice& device)
        : painter(painter), device(device), width(device.width()),
          bottom(device.height() - lineHeight(footFont())) {
        footer();
    }

    // A paragraph, wrapped to the page's width.
    void text(const QString& paragraph, const QFont& font, double spaceBefore = 0) {
        painter.setFont(font);
        const QRectF needed =
            painter.boundingRect(QRectF(0, 0, width, bottom), Qt::TextWordWrap, paragraph);
        room(spaceBefore + needed.height());
        top += top > 0 ? spaceBefore : 0;
        painter.drawText(QRectF(0, top, width, needed.height()), Qt::TextWordWrap, paragraph);
        top += needed.height();
    }

    // A widget as it is drawn on the screen, scaled to the page's width and at most `share` of
    // its height.
    // A chart scaled to the page's width and at most `share` of its height.
    void picture(const ChartPicture& chart, double share, double spaceBefore) {
        if (chart.size.isEmpty())
            return;
        const double scale =
            std::min(width / chart.size.width(), bottom * share / chart.size.height());
        room(spaceBefore + chart.size.height() * scale);
        top += top > 0 ? spaceBefore : 0;
        painter.save();
        painter.translate((width - chart.size.width() * scale) / 2, top);
        painter.scale(scale, scale);
        painter.drawPicture(0, 0, chart.drawing);
        painter.restore();
        top += chart.size.height() * scale;
    }

    // Rows under a header, each column as wide as its widest cell or an even share of the page.
    void table(const QStringList& header, const QList<QStringList>& rows, const QFont& font) {
        QFont bold = font;
        bold.setBold(true);
        const QFontMetricsF metrics(bold, &device);
        QList<double> widths;
        for (const QString& name : header)
            widths.append(metrics.horizontalAdvance(name));
        for (const QStringList& row : rows)
            for (qsizetype c = 0; c < row.size() && c < widths.size(); ++c)
                widths[c] = std::max(widths[c], metrics.horizontalAdvance(row[c]));
        const double gap = metrics.horizontalAdvance(u"  "_s);
        double total = 0;
        for (double w : widths)
            total += w + gap;
        const double fit = total > width ? width / total : 1;
        const auto drawRow = [&](const QStringList& cells, const QFont& rowFont) {
            painter.setFont(rowFont);
            room(lineHeight(rowFont));
            double x = 0;
            for (qsizetype c = 0; c < cells.size() && c < widths.size(); ++c) {
                painter.drawText(QRectF(x, top, widths[c] * fit, lineHeight(rowFont)),
                                 Qt::AlignLeft | Qt::AlignVCenter, cells[c]);
                x += (widths[c] + gap) * fit;
            }
            top += lineHeight(rowFont);
        };
        drawRow(header, bold);
        for (const QStringList& row : rows)
            drawRow(row, font);
    }

    void newPage() {
        device.newPage();
        ++page;
        top = 0;
        footer();
    }

    double lineHeight(const QFont& font) const {
        return QFontMetricsF(font, &device).lineSpacing();
    }

    static QFont footFont() {
        QFont font;
        font.setPointSizeF(8);
        return font;
    }

private:
    void room(double height) {
        if (top > 0 && top + height > bottom)
            newPage();
    }

    void footer() {
        painter.setFont(footFont());
        painter.drawText(QRectF(0, bottom, width, device.height() - bottom),
                         Qt::AlignRight | Qt::AlignBottom, u"Page %1"_s.arg(page));
    }

    QPainter& painter;
    QPagedPaintDevice& device;
    double width, bottom;
    double top = 0;
    int page = 1;
};

QFont sized(double points, bool bold = false) {
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

ChartPicture chartPicture(QGraphicsView* view) {
    ChartPicture chart;
    chart.size = view->viewport()->size();
    QPainter painter(&chart.drawing);
    // The view scales the chart itself: a scaled painter would clip its legend short.
    view->render(&painter, QRectF(QPointF(), chart.size), view->viewport()->rect());
    return chart;
}

bool paintReport(QPagedPaintDevice& device, const TeamReportContent& content,
                 const ProgressReport& progress) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    ReportPages pages(painter, device);
    const QFont body = sized(9.5), heading = sized(13, true);
    const double gap = pages.lineHeight(body);

    pages.text(
        u"Team Analysis · %1"_s.arg(QLocale().toString(QDate::currentDate(), QLocale::LongFormat)),
        sized(16, true));
    pages.text(content.summary, body, gap / 2);
    pages.text(u"Control chart"_s, heading, gap);
    for (const ChartPicture& chart : content.controlCharts)
        pages.picture(chart, 0.4, gap / 2);
    pages.text(u"Phases"_s, heading, gap);
    pages.table(content.phaseColumns, content.phases, body);
    pages.text(u"Rules in use"_s, heading, gap);
    pages.text(content.rules, body, gap / 2);

    pages.newPage();
    pages.text(u"Against expectation"_s, heading);
    pages.text(content.expectationTitle, body, gap / 2);
    pages.picture(content.expectationChart, 0.5, gap / 2);
    pages.text(content.figures, body, gap);

    pages.newPage();
    pages.text(u"Result lines"_s, heading);
    if (content.analysis) {
        const qsizetype lines = content.analysis->lineCount();
        ProgressSteps steps(progress, lines);
        for (qsizetype line = 0; line < lines; ++line) {
            pages.text(content.analysis->lineText(line), body, line == 0 ? gap / 2 : 0);
            steps.at(line);
        }
    }
    return painter.end();
}

QByteArray reportPdf(const TeamReportContent& content, const QLocale& locale,
                     const ProgressReport& progress) {
    QByteArray document;
    QBuffer buffer(&document);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(u"Team Analysis"_s);
    pdf.setCreator(u"Kelvane Extras"_s);
    pdf.setResolution(pdfResolution);
    pdf.setPageSize(QPageSize(paperFor(locale)));
    pdf.setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
    if (!paintReport(pdf, content, progress))
        return {};
    return document;
}

QPageSize::PageSizeId paperFor(const QLocale& locale) {
    static const QLocale::Territory letterCountries[] = {
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,    QLocale::Philippines,
        QLocale::Chile,        QLocale::Colombia,  QLocale::Venezuela, QLocale::PuertoRico,
        QLocale::Guatemala,    QLocale::CostaRica, QLocale::Panama,    QLocale::DominicanRepublic};
    return locale.measurementSystem() == QLocale::ImperialUSSystem ||
                   std::ranges::find(letterCountries, locale.territory()) !=
                       std::end(letterCountries)
               ? QPageSize::Letter
               : QPageSize::A4;
}
