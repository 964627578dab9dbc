// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/style/palette.h"

namespace TavoBAS {

bool ReducedPalette = false;
quint32 MainBackColor = 0;
quint32 PanelBackColor = 0;

void InitPalette() {
    if (ReducedPalette) {
        MainBackColor = reducedBackColor;
        PanelBackColor = reducedBackColor;
    } else {
        MainBackColor = fullMainBackColor;
        PanelBackColor = fullPanelBackColor;
    }
}

} // namespace TavoBAS
