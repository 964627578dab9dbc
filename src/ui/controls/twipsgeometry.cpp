// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/twipsgeometry.h"

#include "core/common/twips.h"

#include <QVariant>
#include <QWidget>

namespace {

// The design width in twips and the pixel width it was placed at, kept on the widget.
constexpr const char* designWidthProperty = "twipsDesignWidth";
constexpr const char* placedWidthProperty = "twipsPlacedWidth";

int widgetPixelsToTwips(const QWidget* w, int pixels) {
    return pixelsToTwips(pixels, w->logicalDpiX());
}

} // namespace

int twipsToWidgetPixels(const QWidget* w, int twips) {
    return twipsToPixels(twips, w->logicalDpiX());
}

void placeInTwips(QWidget* w, int left, int top, int width, int height) {
    const int pixelWidth = twipsToWidgetPixels(w, width);
    w->setGeometry(twipsToWidgetPixels(w, left), twipsToWidgetPixels(w, top), pixelWidth,
                   twipsToWidgetPixels(w, height));
    w->setProperty(designWidthProperty, width);
    w->setProperty(placedWidthProperty, pixelWidth);
}

QSize twipsToSize(QWidget* reference, int width, int height) {
    return {twipsToWidgetPixels(reference, width), twipsToWidgetPixels(reference, height)};
}

int widthInTwips(const QWidget* w) {
    const QVariant designWidth = w->property(designWidthProperty);
    if (designWidth.isValid() && w->property(placedWidthProperty).toInt() == w->width())
        return designWidth.toInt();
    return widgetPixelsToTwips(w, w->width());
}

int wholeScreenTwipsPerPixel(const QWidget* w) {
    return wholeTwipsPerPixel(w->logicalDpiX() * w->devicePixelRatioF());
}
