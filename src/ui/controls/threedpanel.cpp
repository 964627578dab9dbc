// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/threedpanel.h"

#include "ui/controls/designfont.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int captionMargin = 2;
// Below 6 points digits stop being legible on screen; half-point steps keep the result as large
// as it can be.
constexpr qreal smallestFitPoints = 6;
constexpr qreal fitStepPoints = 0.5;

// Draws a bevel of the given width along the inside of the rectangle and returns what is left
// inside it; with no painter it only measures. A raised bevel is lit from the top left, an inset
// one from the bottom right.
QRect paintBevel(QPainter* painter, QRect area, ThreedPanel::Bevel bevel, int width,
                 const QColor& base) {
    if (bevel == ThreedPanel::None)
        return area;
    const QColor light = base.lighter(150);
    const QColor dark = base.darker(170);
    const QColor& topLeft = bevel == ThreedPanel::Raised ? light : dark;
    const QColor& bottomRight = bevel == ThreedPanel::Raised ? dark : light;
    for (int i = 0; i < width && area.width() > 1 && area.height() > 1; ++i) {
        if (painter) {
            painter->setPen(topLeft);
            painter->drawLine(area.topLeft(), area.topRight());
            painter->drawLine(area.topLeft(), area.bottomLeft());
            painter->setPen(bottomRight);
            painter->drawLine(area.bottomLeft(), area.bottomRight());
            painter->drawLine(area.topRight(), area.bottomRight());
        }
        area.adjust(1, 1, -1, -1);
    }
    return area;
}

} // namespace

ThreedPanel::ThreedPanel(QWidget* parent) : QWidget(parent) {
    setFont(designFont());
}

void ThreedPanel::setCaption(const QString& caption) {
    const bool changed = caption != text;
    changeLook(text, caption);
    // A new result is read out as it comes, whether the caption is the panel's accessible name
    // or, for a panel named by the caption beside it, its description.
    if (changed) {
        QAccessibleEvent event(this, accessibleName().isEmpty() ? QAccessible::NameChanged
                                                                : QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void ThreedPanel::setAlignment(Qt::Alignment alignment) {
    changeLook(textAlignment, alignment);
}

void ThreedPanel::setBevelOuter(Bevel bevel) {
    changeLook(outer, bevel);
}

void ThreedPanel::setBevelInner(Bevel bevel) {
    changeLook(inner, bevel);
}

void ThreedPanel::setBevelWidth(int pixels) {
    changeLook(bevelPixels, pixels);
}

void ThreedPanel::setBorderWidth(int pixels) {
    changeLook(borderPixels, pixels);
}

void ThreedPanel::setShrinkToFit(bool shrink) {
    changeLook(shrinking, shrink);
    if (!shrink)
        setToolTip({});
}

// A shrinking panel steps its font down until the whole caption fits; where not even the
// smallest size does, it shows "###" in its own font rather than a cut number that reads wrong.
ThreedPanel::CaptionLayout ThreedPanel::captionLayout() const {
    const QRectF room = paintBevels(nullptr).adjusted(captionMargin, 0, -captionMargin, 0);
    if (!shrinking || text.isEmpty())
        return {room, font(), text};
    QFont shrunk = font();
    for (qreal points = shrunk.pointSizeF();;
         points = std::max(points - fitStepPoints, smallestFitPoints)) {
        shrunk.setPointSizeF(points);
        if (QFontMetricsF(shrunk, this).horizontalAdvance(text) <= room.width())
            return {room, shrunk, text};
        if (points <= smallestFitPoints)
            return {room, font(), u"###"_s};
    }
}

// Run on every change that can alter the fit, and at each paint, which also sees what moves the
// panel across device pixels.
ThreedPanel::CaptionLayout ThreedPanel::refit() {
    CaptionLayout layout = captionLayout();
    if (shrinking)
        setToolTip(layout.text == text ? QString() : text);
    return layout;
}

void ThreedPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
    paintBevels(&painter);
    const CaptionLayout caption = refit();
    if (caption.text.isEmpty())
        return;
    painter.setFont(caption.font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption.room, int(textAlignment) | Qt::TextSingleLine, caption.text);
}

void ThreedPanel::resizeEvent(QResizeEvent*) {
    refit();
}

void ThreedPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        refit();
    QWidget::changeEvent(event);
}

// Bevels are drawn on whole device pixels so that each stays one crisp line at scales like 1.25,
// where the panel itself may start halfway into a device pixel. Returns the area inside them;
// with no painter it only measures.
QRectF ThreedPanel::paintBevels(QPainter* painter) const {
    const qreal scale = devicePixelRatioF();
    const int pixelsPerUnit = std::max(1, qRound(scale));
    const int bevel = bevelPixels * pixelsPerUnit;
    const int border = borderPixels * pixelsPerUnit;
    const QColor base = backColor();

    const QPointF start = QPointF(mapTo(window(), QPoint(0, 0))) * scale;
    const QPointF end = QPointF(mapTo(window(), QPoint(width(), height()))) * scale;
    const QPointF firstPixel(std::ceil(start.x()), std::ceil(start.y()));
    const QPointF offset = firstPixel - start;

    if (painter) {
        painter->save();
        painter->scale(1 / scale, 1 / scale);
        painter->translate(offset);
    }
    QRect area(0, 0, int(std::floor(end.x()) - firstPixel.x()),
               int(std::floor(end.y()) - firstPixel.y()));
    area = paintBevel(painter, area, outer, bevel, base);
    if (inner != None)
        area = paintBevel(painter, area.adjusted(border, border, -border, -border), inner, bevel,
                          base);
    if (painter)
        painter->restore();
    return {(area.x() + offset.x()) / scale, (area.y() + offset.y()) / scale, area.width() / scale,
            area.height() / scale};
}

ThreedPanel* makePanel(QWidget* parent, const QString& name, int index, const QString& caption,
                       const PanelLook& look) {
    auto* panel = new ThreedPanel(parent);
    panel->setObjectName(name);
    panel->setIndex(index);
    panel->setCaption(caption);
    panel->setAlignment(look.alignment);
    panel->setBevelOuter(look.outer);
    panel->setBevelInner(look.inner);
    panel->setBorderWidth(look.borderWidth);
    panel->setFontBold(look.bold);
    return panel;
}
