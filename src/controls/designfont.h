#pragma once

#include <QFont>

// The font the windows are designed with; every control starts in it, regular weight.
inline constexpr const char* designFontName = "MS Sans Serif";
inline constexpr double designFontSize = 8.25;

inline QFont designFont() {
    QFont font(QString::fromLatin1(designFontName));
    font.setPointSizeF(designFontSize);
    return font;
}
