// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/analysissettings.h"

// Settings that split `sessions` sessions into `phases` phases of equal length.
inline AnalysisSettings equalPhases(qsizetype sessions, qsizetype phases) {
    AnalysisSettings settings;
    for (qsizetype phase = 1; phase < phases; ++phase)
        settings.phaseStarts.append(sessions * phase / phases);
    return settings;
}
