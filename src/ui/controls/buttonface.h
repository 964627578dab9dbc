// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>

class QPainter;

struct ButtonFaceState {
    bool pressed = false;
    bool focused = false;
    bool enabled = true;
};

// The light-orange, rounded and bevelled bar that every push button shows behind its caption,
// drawn from vectors at whatever size the rectangle has.
void paintButtonFace(QPainter& painter, const QRectF& rect, ButtonFaceState state);
