// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"
#include "core/team/chartstats.h"

#include <QLatin1StringView>
#include <QList>
#include <QStringList>
#include <span>
#include <vector>

// One finding of the signal rules: the rule, its message and the sessions of the window it saw.
struct Signal {
    int rule;                 // in the fixed order, 0 for rule 1: its bit in a RuleSet
    QLatin1StringView ruleId; // "1", "2", "3", "4a", … "9"
    QLatin1StringView message;
    qsizetype firstSession; // 0-based
    qsizetype sessionCount;
};

inline constexpr int signalRuleCount = 11;

// The id of the rule at this place in the fixed order: "1", "2", "3", "4a", … "9".
QLatin1StringView signalRuleId(int rule);

// A set of rules as bits, bit i for the i-th rule in the fixed order.
using RuleSet = quint16;
inline constexpr RuleSet beyondLimitsRule = 1;
inline constexpr RuleSet allSignalRules = RuleSet((1u << signalRuleCount) - 1);
// The ids of a set of rules, in the fixed order.
QStringList signalRuleIds(RuleSet rules);
// The rules grouped by what they look for, in the order in which their marks show over each
// other: beyond the limits (1), beyond 2σ (2, 3), beyond 1σ (4a, 4b), trend (5a, 5b), shift
// (6a, 6b), over-protection (7), afraid to bet (9).
inline constexpr RuleSet ruleFamilies[] = {0x001, 0x006, 0x018, 0x060, 0x180, 0x200, 0x400};

// What the rules found in a series.
struct SignalFindings {
    // A run of consecutive firing windows gives one signal, for its first window; rule 1 gives one
    // signal for every session beyond the limits.
    QList<Signal> reported;
    // For each session, the rules with a firing window that holds it, reported or not.
    std::vector<RuleSet> rulesOfSessions;
};

// Slides the window of each rule in the set along the series, the rules in their fixed order (1,
// 2, 3, 4a, 4b, 5a, 5b, 6a, 6b, 7, 9). Reports progress every few thousand windows.
SignalFindings findSignals(std::span<const double> Rate, const ChartLines& lines,
                           RuleSet rules = allSignalRules, const ProgressReport& progress = {});
