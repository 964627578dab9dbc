// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/chartstats.h"
#include "core/team/signalrules.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

// How the sessions are judged. They fall into phases, each with limits of its own that come from
// its baseline: its sessions up to its lock, or all of them while it is unlocked, less those left
// out. By default: one phase, unlocked, nothing left out, every rule on. Sessions are 0-based.
struct AnalysisSettings {
    QList<qsizetype> phaseStarts; // each from 1 to N - 1 begins a phase; session 0 the first
    QList<qsizetype> locks;       // the last session of a baseline, at most one in a phase
    QList<qsizetype> leftOut;     // kept out of the limits, but judged like any other
    RuleSet rules = allSignalRules;

    bool hasSessionSettings() const {
        return !phaseStarts.isEmpty() || !locks.isEmpty() || !leftOut.isEmpty();
    }
};

// A run of sessions judged against lines of its own.
struct Phase {
    qsizetype first = 0;
    qsizetype count = 0;
    std::optional<qsizetype> lock; // the last session of its baseline, when locked
    ChartLines lines;              // the range limit is rangeLimit(lines)
};

// The phases of this many sessions, their lines not yet drawn. Starts outside 1 … N - 1 or given
// twice, and any lock after the first in a phase, are passed over.
std::vector<Phase> phasesOf(const AnalysisSettings& settings, qsizetype sessionCount);

// What the user can change at a session. A lock stays with its session, so that a phase begun
// before it takes it along; joining two locked phases keeps the earlier lock; locking a locked
// phase moves its lock.
enum class SettingsChange { StartPhase, RemovePhaseStart, LockAfter, Unlock, LeaveOut, Include };

struct ChangedSettings {
    AnalysisSettings settings; // unchanged when refused
    QString refusal;           // why the change cannot be made; empty when it is made
};

// A change is refused when it does not apply at the session, or when it would leave a phase
// without two sessions, or without two in its baseline.
ChangedSettings changeSettings(const AnalysisSettings& settings, qsizetype sessionCount,
                               SettingsChange change, qsizetype session);
