// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/celltexts.h"

#include <vector>

// What one session's two cells hold, read once when pasted.
struct SessionValues {
    double amount;  // dollars won, negative when lost
    double minutes; // a duration already turned into minutes

    bool operator==(const SessionValues&) const = default;
};

// A pasted table below its header row: the cells as the grid shows and copies them, and the
// values the analysis works on. Session i is cells 2i and 2i + 1 and values[i].
struct SessionTable {
    CellTexts cells;
    std::vector<SessionValues> values;
    qsizetype sessionCount() const { return qsizetype(values.size()); }
};
