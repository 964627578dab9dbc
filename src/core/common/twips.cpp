// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/common/twips.h"

#include "core/common/wholenumber.h"

#include <cmath>

double twipsPerPixel(double logicalDpi) {
    return twipsPerInch / logicalDpi;
}

int wholeTwipsPerPixel(double logicalDpi) {
    return static_cast<int>(roundHalfEven(twipsPerPixel(logicalDpi)));
}

int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips / twipsPerPixel(logicalDpi)));
}

int pixelsToTwips(int pixels, double logicalDpi) {
    return static_cast<int>(std::lround(pixels * twipsPerPixel(logicalDpi)));
}
