// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/zoomchartview.h"

#include "core/team/labelspread.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Never closer in than this many x units across the plot.
constexpr double narrowestSpan = 4;
// A press that moves less than this is a click, not a drag.
constexpr int dragThreshold = 3;
// How far a mark reaches from its point, in pixels, at most.
constexpr int markReach = 8;
// How much one notch of the wheel, or one + or − key, zooms.
constexpr double notchFactor = 0.8;
// A line label's leading stroke, and the gap between it and the text, in pixels.
constexpr int leaderLength = 14;
constexpr int labelGap = 4;

void paintMark(QPainter& painter, const ChartMarks& layer) {
    if (layer.hollow) {
        painter.setPen(QPen(layer.colour, 2));
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setPen(QPen(layer.colour.darker(170), 1));
        painter.setBrush(layer.colour);
    }
    painter.drawPath(layer.shape);
}

QRectF stampBounds(const ChartMarks& layer) {
    return layer.shape.boundingRect().adjusted(-1, -1, 1, 1);
}

QPointF stampOffset(const ChartMarks& layer) {
    return stampBounds(layer).topLeft();
}

QPixmap stamp(const ChartMarks& layer, qreal ratio) {
    const QRectF bounds = stampBounds(layer);
    QPixmap picture((bounds.size() * ratio).toSize());
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-bounds.topLeft());
    paintMark(painter, layer);
    return picture;
}

} // namespace

ZoomChartView::ZoomChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setDragMode(QGraphicsView::NoDrag);
    // The window's own background shows through, on the screen as in a saved image or report:
    // the chart view's palette would fill a rendered copy black.
    viewport()->setAutoFillBackground(false);
}

void ZoomChartView::setXRanges(double fullFromX, double fullToX, double shownFromX,
                               double shownToX) {
    fullFrom = fullFromX, fullTo = fullToX, shownFrom = shownFromX, shownTo = shownToX;
}

void ZoomChartView::setMarks(QList<ChartMarks> layers) {
    marks = std::move(layers);
    stamps.clear();
    viewport()->update();
}

void ZoomChartView::setLineLabels(QList<LineLabel> labels) {
    lineLabels = std::move(labels);
    labelPlaces.clear();
    viewport()->update();
}

int ZoomChartView::lineLabelWidth() const {
    int widest = 0;
    for (const LineLabel& label : lineLabels)
        widest = std::max(widest, fontMetrics().horizontalAdvance(label.text));
    return leaderLength + labelGap + widest + labelGap;
}

void ZoomChartView::setTintedSpans(QList<QPair<double, double>> spans) {
    tinted = std::move(spans);
    viewport()->update();
}

void ZoomChartView::setDividers(QList<double> xs) {
    dividers = std::move(xs);
    viewport()->update();
}

void ZoomChartView::setShadedSpans(QList<QPair<double, double>> spans) {
    shaded = std::move(spans);
    viewport()->update();
}

void ZoomChartView::setCoverText(const QString& text) {
    cover = text;
    setAccessibleDescription(text);
    viewport()->update();
}

void ZoomChartView::showAll() {
    requestRange(fullFrom, fullTo);
}

void ZoomChartView::requestRange(double from, double to) {
    const double full = fullTo - fullFrom;
    double span = std::clamp(to - from, std::min(narrowestSpan, full), full);
    from = std::clamp(from, fullFrom, fullTo - span);
    emit xRangeRequested(from, from + span);
}

void ZoomChartView::zoomAround(double x, double factor) {
    requestRange(x - (x - shownFrom) * factor, x + (shownTo - x) * factor);
}

double ZoomChartView::unitsPerPixel() const {
    return (shownTo - shownFrom) / std::max(1.0, chart()->plotArea().width());
}

void ZoomChartView::panByPixels(double pixels) {
    requestRange(shownFrom - pixels * unitsPerPixel(), shownTo - pixels * unitsPerPixel());
}

void ZoomChartView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0)
        return;
    zoomAround(chart()->mapToValue(event->position()).x(), std::pow(notchFactor, notches));
    event->accept();
}

void ZoomChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QChartView::mousePressEvent(event);
    dragFrom = event->position().toPoint();
    dragShownFrom = shownFrom;
    dragged = false;
    picking = event->modifiers().testFlag(Qt::ShiftModifier);
}

void ZoomChartView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!dragFrom) {
        if (!showLabelTip(at, event->globalPosition().toPoint()))
            emit pointerAt(chart()->mapToValue(at), event->globalPosition().toPoint());
        return;
    }
    const int moved = at.x() - dragFrom->x();
    dragged = dragged || std::abs(moved) >= dragThreshold;
    if (!dragged)
        return;
    if (picking)
        return pickSpan(at.x(), false);
    setCursor(Qt::ClosedHandCursor);
    const double from = dragShownFrom - moved * unitsPerPixel();
    requestRange(from, from + (shownTo - shownFrom));
}

void ZoomChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragFrom)
        return QChartView::mouseReleaseEvent(event);
    if (!dragged)
        emit clickedAt(chart()->mapToValue(event->position()));
    else if (picking)
        pickSpan(event->position().x(), true);
    dragFrom.reset();
    unsetCursor();
}

void ZoomChartView::pickSpan(double toPixel, bool done) {
    const double from = chart()->mapToValue(*dragFrom).x();
    const double to = chart()->mapToValue(QPointF(toPixel, dragFrom->y())).x();
    emit spanPicked(std::min(from, to), std::max(from, to), done);
}

void ZoomChartView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        showAll();
}

void ZoomChartView::keyPressEvent(QKeyEvent* event) {
    const double middle = (shownFrom + shownTo) / 2;
    const double page = chart()->plotArea().width() / 4;
    // Shift+F10 opens the menu as the menu key does, as on other desktops.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)
        return emit menuRequested(std::nullopt, mapToGlobal(rect().center()));
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return zoomAround(middle, notchFactor);
    case Qt::Key_Minus:
        return zoomAround(middle, 1 / notchFactor);
    case Qt::Key_Left:
        return panByPixels(page);
    case Qt::Key_Right:
        return panByPixels(-page);
    default:
        QChartView::keyPressEvent(event);
    }
}

bool ZoomChartView::showLabelTip(const QPoint& at, const QPoint& globalPosition) {
    for (qsizetype i = 0; i < labelPlaces.size() && i < lineLabels.size(); ++i)
        if (labelPlaces[i].contains(mapToScene(at))) {
            QToolTip::showText(globalPosition, lineLabels[i].toolTip, this);
            return true;
        }
    return false;
}

void ZoomChartView::contextMenuEvent(QContextMenuEvent* event) {
    emit menuRequested(event->reason() == QContextMenuEvent::Keyboard
                           ? std::nullopt
                           : std::optional(chart()->mapToValue(event->pos())),
                       event->globalPos());
}

// The part of the plot between two x values, cut to what is in sight.
QRectF ZoomChartView::xSpanRect(double from, double to) const {
    const QRectF plot = chart()->plotArea();
    const double scale = plot.width() / (shownTo - shownFrom);
    const double left = std::max(plot.left(), plot.left() + (from - shownFrom) * scale);
    const double right = std::min(plot.right(), plot.left() + (to - shownFrom) * scale);
    return left < right ? QRectF(left, plot.top(), right - left, plot.height()) : QRectF();
}

void ZoomChartView::drawBackground(QPainter* painter, const QRectF& rect) {
    QChartView::drawBackground(painter, rect);
    QColor tint = palette().color(QPalette::Base);
    tint.setAlpha(140);
    for (const auto& [from, to] : std::as_const(tinted))
        painter->fillRect(xSpanRect(from, to), tint);
}

// The selection shades the plot under the marks, and the marks lie over the lines and the grid.
void ZoomChartView::drawForeground(QPainter* painter, const QRectF& rect) {
    QChartView::drawForeground(painter, rect);
    const QRectF plot = chart()->plotArea();
    painter->setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (double x : std::as_const(dividers))
        if (x > shownFrom && x < shownTo) {
            const double at = plot.left() + (x - shownFrom) * plot.width() / (shownTo - shownFrom);
            painter->drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
        }
    drawShading(painter);
    drawMarks(painter);
    drawLineLabels(painter);
    if (cover.isEmpty())
        return;
    QColor grey = palette().color(QPalette::Window);
    grey.setAlpha(200);
    painter->fillRect(sceneRect(), grey);
    QFont font = painter->font();
    font.setPointSizeF(font.pointSizeF() * 2);
    painter->setFont(font);
    painter->setPen(palette().color(QPalette::WindowText));
    painter->drawText(sceneRect(), Qt::AlignCenter, cover);
}

// On the screen each mark is a copy of a ready-made picture of its shape; in a vector image,
// such as a saved SVG, it is the shape itself.
void ZoomChartView::drawMarks(QPainter* painter) {
    const bool onScreen = painter->paintEngine()->type() == QPaintEngine::Raster;
    const qreal ratio = painter->device()->devicePixelRatioF();
    if (onScreen && (stamps.size() != marks.size() ||
                     (!stamps.isEmpty() && stamps.first().devicePixelRatio() != ratio))) {
        stamps.clear();
        for (const ChartMarks& layer : std::as_const(marks))
            stamps.append(stamp(layer, ratio));
    }
    // Both axes are linear: two points fix where every value goes.
    const QPointF origin = chart()->mapToPosition({0, 0});
    const QPointF unit = chart()->mapToPosition({1, 1}) - origin;
    painter->save();
    // Marks on the top and bottom edges show whole; the sides cut them as they cut the line.
    painter->setClipRect(chart()->plotArea().adjusted(0, -markReach, 0, markReach));
    for (qsizetype i = 0; i < marks.size(); ++i) {
        const ChartMarks& layer = marks[i];
        for (const QPointF& value : layer.points) {
            const QPointF at(origin.x() + value.x() * unit.x(), origin.y() + value.y() * unit.y());
            if (onScreen) {
                painter->drawPixmap(at + stampOffset(layer), stamps[i]);
            } else {
                painter->save();
                painter->translate(at);
                paintMark(*painter, layer);
                painter->restore();
            }
        }
    }
    painter->restore();
}

// Labels that would overlap are moved apart, never left out; one moved from its line's height
// is led to by a slanting stroke.
void ZoomChartView::drawLineLabels(QPainter* painter) {
    const QRectF plot = chart()->plotArea();
    const double height = fontMetrics().height();
    std::vector<double> wanted;
    for (const LineLabel& label : std::as_const(lineLabels))
        wanted.push_back(chart()->mapToPosition({shownFrom, label.value}).y());
    const std::vector<double> placed = spreadLabels(wanted, height, 0, sceneRect().height());
    labelPlaces.clear();
    painter->save();
    painter->setFont(font());
    painter->setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const LineLabel& label = lineLabels[qsizetype(i)];
        const double textLeft = plot.right() + leaderLength + labelGap;
        painter->setPen(label.pen);
        painter->drawLine(QPointF(plot.right(), wanted[i]),
                          QPointF(plot.right() + leaderLength, placed[i]));
        const QRectF place(textLeft, placed[i] - height / 2,
                           fontMetrics().horizontalAdvance(label.text), height);
        painter->setPen(palette().color(QPalette::WindowText));
        painter->drawText(place, Qt::AlignLeft | Qt::AlignVCenter, label.text);
        labelPlaces.append(place);
    }
    painter->restore();
}

// Spans that meet within a pixel are filled as one, so that thousands of them cost no more than
// the plot is wide.
void ZoomChartView::drawShading(QPainter* painter) const {
    const QRectF plot = chart()->plotArea();
    const double scale = plot.width() / (shownTo - shownFrom);
    QColor shade = palette().color(QPalette::Highlight);
    shade.setAlpha(60);
    std::optional<QPair<double, double>> pending;
    const auto fill = [&] {
        if (pending)
            painter->fillRect(
                QRectF(pending->first, plot.top(), pending->second - pending->first, plot.height()),
                shade);
    };
    for (const auto& [from, to] : shaded) {
        const double left = std::max(plot.left(), plot.left() + (from - shownFrom) * scale);
        const double right =
            std::min(plot.right(), std::max(left + 1, plot.left() + (to - shownFrom) * scale));
        if (left >= plot.right() || right <= plot.left())
            continue;
        if (pending && left <= pending->second + 1) {
            pending->second = std::max(pending->second, right);
            continue;
        }
        fill();
        pending = {left, right};
    }
    fill();
}
