// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QChartView>
#include <QList>
#include <QPainterPath>
#include <QPair>
#include <QPixmap>
#include <QString>
#include <optional>

// Points drawn over a chart, each as the same shape: far cheaper than a series item per point.
struct ChartMarks {
    QList<QPointF> points; // chart values
    QPainterPath shape;    // in pixels, around (0, 0)
    QColor colour;
    bool hollow = false; // an outline in the colour, not a shape filled with it
};

// The name of a horizontal line, written beside the plot's right edge at the line's height, or
// as near it as other names leave room for, with a stroke of the line's pen leading to it.
struct LineLabel {
    QString text;
    QString toolTip;
    double value; // chart value
    QPen pen;
};

// A chart whose x axis the user zooms with the wheel around the pointer, pans by dragging or
// with the arrow keys, and shows whole again with a double-click or showAll(); a drag with Shift
// held picks an x span instead. The view only asks for a range; whoever owns the data sets it, so
// that several views can share one x axis.
class ZoomChartView : public QChartView {
    Q_OBJECT

public:
    explicit ZoomChartView(QChart* chart, QWidget* parent = nullptr);

    // The x range that holds everything, and the one shown now.
    void setXRanges(double fullFrom, double fullTo, double shownFrom, double shownTo);

    void showAll();
    // Asks for an x range, kept within the full range and never narrower than a few units.
    void requestRange(double from, double to);

    // Drawn over the lines, the later layers over the earlier ones.
    void setMarks(QList<ChartMarks> layers);
    void setLineLabels(QList<LineLabel> labels);
    // How wide the line labels are, with their leading strokes, in pixels.
    int lineLabelWidth() const;
    // Where each line label was drawn last, in the view.
    const QList<QRectF>& lineLabelPlaces() const { return labelPlaces; }
    // x spans tinted under the plot's lines and points, in chart values: one part of the data
    // set apart from the rest.
    void setTintedSpans(QList<QPair<double, double>> spans);
    // Where upright lines divide the plot, in chart x values.
    void setDividers(QList<double> xs);
    // x spans drawn shaded over the plot, in chart values, in order.
    void setShadedSpans(QList<QPair<double, double>> spans);
    const QList<QPair<double, double>>& shadedSpans() const { return shaded; }
    // Greys the chart out with a text across it, which is also what a screen reader reads as the
    // chart's description; an empty text shows the chart plainly.
    void setCoverText(const QString& text);

signals:
    void xRangeRequested(double from, double to);
    // The pointer rests at a chart value, or clicked it.
    void pointerAt(const QPointF& value, const QPoint& globalPosition);
    void clickedAt(const QPointF& value);
    // The x span a Shift+drag covers so far, in chart values, lowest first; `done` once released.
    void spanPicked(double from, double to, bool done);
    // A menu asked for at a point of the view, or from the keyboard, at no point in particular.
    void menuRequested(std::optional<QPointF> value, const QPoint& globalPosition);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void zoomAround(double x, double factor);
    double unitsPerPixel() const;
    void panByPixels(double pixels);
    void pickSpan(double toPixel, bool done);
    void drawShading(QPainter* painter) const;
    QRectF xSpanRect(double from, double to) const;
    void drawMarks(QPainter* painter);
    void drawLineLabels(QPainter* painter);
    bool showLabelTip(const QPoint& at, const QPoint& globalPosition);

    double fullFrom = 0, fullTo = 1, shownFrom = 0, shownTo = 1;
    QList<ChartMarks> marks;
    QList<QPixmap> stamps; // the marks' shapes as drawn on the screen, made when first needed
    QList<QPair<double, double>> shaded;
    QList<QPair<double, double>> tinted;
    QList<double> dividers;
    QList<LineLabel> lineLabels;
    QList<QRectF> labelPlaces; // where the labels were drawn last, in their order
    QString cover;
    std::optional<QPoint> dragFrom;
    double dragShownFrom = 0;
    bool dragged = false;
    bool picking = false; // the drag picks a span rather than panning
};
