// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Window layouts are designed in twips (1/1440 inch); these convert them to the screen's pixels.

constexpr double twipsPerInch = 1440.0;

// Twips per pixel of a screen with the given logical dots per inch (15 at 96 DPI).
double twipsPerPixel(double logicalDpi);

// Twips per pixel rounded to a whole number, as the window styling compares it (15 at 96 DPI).
int wholeTwipsPerPixel(double logicalDpi);

// A length or position in twips as whole pixels, rounded to the nearest.
int twipsToPixels(int twips, double logicalDpi);

// Whole pixels back to twips, rounded to the nearest.
int pixelsToTwips(int pixels, double logicalDpi);
