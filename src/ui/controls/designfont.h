// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// The font the windows are designed with; every control starts in it, regular weight.
inline constexpr QStringView designFontName = u"MS Sans Serif";
inline constexpr double designFontSize = 8.25;

inline QFont designFont() {
    QFont font(designFontName.toString());
    font.setPointSizeF(designFontSize);
    return font;
}
