// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace TavoBAS {

// The window icon every window carries, drawn from vectors at each size asked for.
QIcon appIcon();
QPixmap appIconPixmap(int size);
// The same drawing on any painter, such as the SVG file the icon theme installs.
void paintAppIcon(QPainter& painter, const QRectF& target);

} // namespace TavoBAS
