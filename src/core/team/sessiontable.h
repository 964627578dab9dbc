// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/celltexts.h"

// The session grid content below its header row, exactly as pasted.
struct SessionTable {
    CellTexts cells; // row-major, two texts per session: amount, minutes
    qsizetype sessionCount() const { return cells.size() / 2; }
};
