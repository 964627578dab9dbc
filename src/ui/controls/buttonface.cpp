// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/buttonface.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

struct FaceColours {
    QColor top;
    QColor bottom;
    QColor edge;
    QColor highlight;
    QColor shadow;
};

FaceColours faceColours(ButtonFaceState state) {
    if (!state.enabled)
        return {
            {250, 236, 218}, {232, 212, 188}, {190, 160, 130}, {255, 252, 246}, {214, 190, 162}};
    FaceColours colours{
        {255, 226, 178}, {244, 170, 88}, {156, 88, 28}, {255, 247, 228}, {196, 116, 40}};
    if (state.focused)
        colours.edge = QColor(96, 48, 8);
    if (state.pressed) {
        // Pressed, the bar reads as pushed in: darker, lit from below.
        std::swap(colours.top, colours.bottom);
        std::swap(colours.highlight, colours.shadow);
        colours.top = colours.top.darker(106);
    }
    return colours;
}

QPainterPath roundedBar(const QRectF& rect) {
    const qreal radius = std::min(rect.height(), rect.width()) * 0.32;
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

void paintButtonFace(QPainter& painter, const QRectF& rect, ButtonFaceState state) {
    if (rect.width() < 2 || rect.height() < 2)
        return;
    const FaceColours colours = faceColours(state);
    // Edges proportional to the bar's height so the bevel reads the same at any DPI.
    const qreal edgeWidth = std::max(1.0, rect.height() / 26.0) * (state.focused ? 1.6 : 1.0);
    const qreal bevelWidth = std::max(1.0, rect.height() / 13.0);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF outer =
        rect.adjusted(edgeWidth / 2, edgeWidth / 2, -edgeWidth / 2, -edgeWidth / 2);
    QLinearGradient body(outer.topLeft(), outer.bottomLeft());
    body.setColorAt(0.0, colours.top);
    body.setColorAt(1.0, colours.bottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawPath(roundedBar(outer));

    const qreal inset = edgeWidth / 2 + bevelWidth / 2;
    const QRectF bevelRect = outer.adjusted(inset, inset, -inset, -inset);
    QLinearGradient bevel(bevelRect.topLeft(), bevelRect.bottomLeft());
    bevel.setColorAt(0.0, colours.highlight);
    bevel.setColorAt(0.45, Qt::transparent);
    bevel.setColorAt(0.55, Qt::transparent);
    bevel.setColorAt(1.0, colours.shadow);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(bevel), bevelWidth));
    painter.drawPath(roundedBar(bevelRect));

    painter.setPen(QPen(colours.edge, edgeWidth));
    painter.drawPath(roundedBar(outer));
    painter.restore();
}
