// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/style/appicon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace TavoBAS {

namespace {

// The icon is drawn on a 64-unit square and scaled to the size asked for.
constexpr qreal iconUnits = 64.0;

const QColor cardBackColour(238, 150, 62);
const QColor cardBackEdge(150, 78, 20);
const QColor cardFaceColour(255, 250, 240);
const QColor cardFaceEdge(120, 62, 16);
const QColor pipColour(200, 40, 28);
const QColor chartLineColour(120, 62, 16);
const QColor chartLimitColour(240, 170, 90);

void paintBackCard(QPainter& painter) {
    painter.save();
    painter.translate(30, 34);
    painter.rotate(-14);
    painter.setPen(QPen(cardBackEdge, 2));
    painter.setBrush(cardBackColour);
    painter.drawRoundedRect(QRectF(-24, -26, 34, 50), 5, 5);
    painter.restore();
}

void paintPip(QPainter& painter, QPointF centre, qreal half) {
    const QPolygonF diamond{{centre.x(), centre.y() - half},
                            {centre.x() + half * 0.75, centre.y()},
                            {centre.x(), centre.y() + half},
                            {centre.x() - half * 0.75, centre.y()}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(pipColour);
    painter.drawPolygon(diamond);
}

// A control chart in small: the limit lines and a run of points that breaks out above them.
void paintChart(QPainter& painter) {
    painter.setPen(QPen(chartLimitColour, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(25, 33), QPointF(56, 33));
    painter.drawLine(QPointF(25, 53), QPointF(56, 53));
    const QPolygonF points{{27, 46}, {33, 40}, {38, 48}, {44, 39}, {49, 42}, {54, 28}};
    painter.setPen(QPen(chartLineColour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pipColour);
    painter.drawEllipse(points.last(), 3.5, 3.5);
}

QPixmap renderIcon(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintAppIcon(painter, QRectF(QPointF(), size));
    return pixmap;
}

class AppIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        paintAppIcon(*painter, rect);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return renderIcon(size);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    }

    QIconEngine* clone() const override { return new AppIconEngine; }
};

} // namespace

void paintAppIcon(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / iconUnits, target.height() / iconUnits);

    paintBackCard(painter);
    painter.setPen(QPen(cardFaceEdge, 2));
    painter.setBrush(cardFaceColour);
    painter.drawRoundedRect(QRectF(20, 6, 40, 54), 5, 5);
    paintPip(painter, {29, 17}, 7);
    paintChart(painter);
    painter.restore();
}

QIcon appIcon() {
    return QIcon(new AppIconEngine);
}

QPixmap appIconPixmap(int size) {
    return renderIcon({size, size});
}

} // namespace TavoBAS
