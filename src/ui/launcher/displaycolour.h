// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Whether a display of the given colour depth (bits per pixel) shows the colour 0x00BBGGRR
// exactly. Qt offers no nearest-colour service, so the answer is worked out from the depth:
// each channel is quantised to the bits the depth gives it and must come back unchanged.
bool displayShowsExactly(quint32 colour, int depth);
