// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

namespace TavoBAS {

// The font the styling puts on push buttons of screens not at 15 twips per pixel.
inline constexpr QStringView smallFontName = u"Small Fonts";

// Maps the design fonts, which Linux lacks, to installed fonts of close width so captions fit
// the controls they were laid out for. Controls keep the design names.
void installFontSubstitutes();

} // namespace TavoBAS
