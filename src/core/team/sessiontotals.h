// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/sessiontable.h"

#include <span>

// What a run of sessions adds up to, at their true lengths.
struct SessionTotals {
    qsizetype sessions = 0;
    double amount = 0; // dollars won, negative when lost
    double minutes = 0;

    double hours() const { return minutes / 60; }
};

SessionTotals totalsOf(std::span<const SessionValues> sessions);
