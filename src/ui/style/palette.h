// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace TavoBAS {

// True when the display cannot show the main background colour exactly; written once by the
// launcher before InitPalette.
extern bool ReducedPalette;

// Colours as 0x00BBGGRR; both 0 until InitPalette fills them.
extern quint32 MainBackColor;
extern quint32 PanelBackColor;

inline constexpr quint32 fullMainBackColor = 0x00D0E8F0;
inline constexpr quint32 fullPanelBackColor = 0x00C0E0FF;
inline constexpr quint32 reducedBackColor = 0x00C0C0C0;

void InitPalette();

} // namespace TavoBAS
