// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

namespace TavoBAS {

// Colours are stored as 0x00BBGGRR: red in the low byte, the high byte unused.
QColor colorFromBgr(quint32 bgr);

} // namespace TavoBAS
