#pragma once

namespace TavoBAS {

// The font the styling puts on push buttons of screens not at 15 twips per pixel.
inline constexpr const char* smallFontName = "Small Fonts";

// Maps the design fonts, which Linux lacks, to installed fonts of close width so captions fit
// the controls they were laid out for. Controls keep the design names.
void installFontSubstitutes();

} // namespace TavoBAS
