// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

class QWidget;

// Places a control from its design position and size in twips, converted with the logical DPI of
// the screen the widget is on. The twips are remembered so that widthInTwips() gives back the
// design width exactly even where the pixel conversion rounds.
void placeInTwips(QWidget* w, int left, int top, int width, int height);

// A window's client size in twips as pixels on the reference widget's screen.
QSize twipsToSize(QWidget* reference, int width, int height);

// The widget's width in twips: the placed design width while the widget keeps the size it was
// placed with, otherwise its pixel width converted.
int widthInTwips(const QWidget* w);

// Twips as pixels on the widget's screen.
int twipsToWidgetPixels(const QWidget* w, int twips);

// Twips per device pixel of the widget's screen, rounded to a whole number: 15 at 96 DPI, 12 at
// 120 DPI whether the screen reports 120 DPI itself or 96 logical DPI scaled by 1.25.
int wholeScreenTwipsPerPixel(const QWidget* w);
