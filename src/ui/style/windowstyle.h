// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace TavoBAS {

// Gives a window the common look: its background and every 3D button, panel and option button
// in the palette's colours (hidden and nested ones too), raised-over-inset title panels made flat,
// and the buttons' font shrunk to "Small Fonts" 6 on screens not at 15 twips per pixel.
void ApplyWindowStyle(QWidget* window);

// The same with the screen's twips per device pixel given, already rounded to a whole number.
void ApplyWindowStyle(QWidget* window, int twipsPerPixel);

} // namespace TavoBAS
