// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/signalrules.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace {

// Whether the session at *x counts towards its rule. The step rules compare it with the
// session before it, so they start counting at the window's second session.
using Condition = bool (*)(const double* x, const ChartLines& c);

struct Rule {
    QLatin1StringView id;
    QLatin1StringView message;
    qsizetype window;
    qsizetype needed;
    qsizetype firstCounted;
    Condition counts;
};

bool beyondLimits(const double* x, const ChartLines& c) {
    return *x > c.UCL || *x < c.LCL;
}
bool beyondSigma2(const double* x, const ChartLines& c) {
    return *x > c.USig2 || *x < c.LSig2;
}
bool closerToALimit(const double* x, const ChartLines& c) {
    const double toCentre = std::abs(*x - c.Mean);
    return toCentre > std::abs(*x - c.UCL) || toCentre > std::abs(*x - c.LCL);
}
bool aboveSigma1(const double* x, const ChartLines& c) {
    return *x > c.USig1;
}
bool belowSigma1(const double* x, const ChartLines& c) {
    return *x < c.LSig1;
}
bool risen(const double* x, const ChartLines&) {
    return x[0] > x[-1];
}
bool fallen(const double* x, const ChartLines&) {
    return x[0] < x[-1];
}
bool aboveCentre(const double* x, const ChartLines& c) {
    return *x > c.Mean;
}
bool belowCentre(const double* x, const ChartLines& c) {
    return *x < c.Mean;
}
bool outsideSigma1(const double* x, const ChartLines& c) {
    return *x > c.USig1 || *x < c.LSig1;
}
bool withinSigma1(const double* x, const ChartLines& c) {
    return *x > c.LSig1 && *x < c.USig1;
}

using namespace Qt::Literals::StringLiterals;

const Rule rules[] = {
    {"1"_L1, "Signal 1: A single value beyond limits"_L1, 1, 1, 0, beyondLimits},
    {"2"_L1, "Signal 2: 2 out of 3 consecutive values beyond Sigma 2. Potential overbetting."_L1, 3,
     2, 0, beyondSigma2},
    {"3"_L1,
     "Signal 3: 3 out of 4 consecutive values closer to one of the limits than to the central "
     "line. Potential overbetting."_L1,
     4, 3, 0, closerToALimit},
    {"4a"_L1, "Signal 4a: 4 out of 5 consecutive values beyond Sigma 1. Potential cheating."_L1, 5,
     4, 0, aboveSigma1},
    {"4b"_L1, "Signal 4b: 4 out of 5 consecutive values beyond Sigma 1. Potential stealing."_L1, 5,
     4, 0, belowSigma1},
    {"5a"_L1, "Signal 5a: 6 or more consecutive value steadily increasing."_L1, 6, 5, 1, risen},
    {"5b"_L1, "Signal 5b: 6 or more consecutive value steadily decreasing."_L1, 6, 5, 1, fallen},
    {"6a"_L1, "Signal 6a: 7 out of 8 consecutive values to up side of center."_L1, 8, 7, 0,
     aboveCentre},
    {"6b"_L1, "Signal 6b: 7 out of 8 consecutive values to down side of center."_L1, 8, 7, 0,
     belowCentre},
    {"7"_L1,
     "Signal 7: 8 points in a row outside plus or minus Sigma 1. Severe case of over "
     "protection."_L1,
     8, 8, 0, outsideSigma1},
    {"9"_L1, "Signal 9: 15 points in a row within + or - Sigma 1. Afraid to bet max."_L1, 15, 15, 0,
     withinSigma1},
};

// Rule 1 looks at one session at a time, so every firing session is a run of its own.
bool reportsEveryWindow(const Rule& rule) {
    return rule.window == 1;
}

void applyRule(const Rule& rule, std::span<const double> Rate, const ChartLines& lines,
               SignalFindings& found, ProgressSteps& steps) {
    const int ruleIndex = int(&rule - rules);
    const qsizetype N = static_cast<qsizetype>(Rate.size());
    if (N < rule.window)
        return;
    const double* x = Rate.data();

    // The count is kept sliding: each step adds the session entering the window and drops the
    // one leaving it.
    qsizetype count = 0;
    for (qsizetype k = rule.firstCounted; k < rule.window; ++k)
        count += rule.counts(x + k, lines);

    bool Shown = false;
    qsizetype markedTo = 0; // the sessions before this one that the rule marks are marked
    for (qsizetype p = 0;; ++p) {
        if (count >= rule.needed) {
            if (!Shown)
                found.reported.append({ruleIndex, rule.id, rule.message, p, rule.window});
            Shown = !reportsEveryWindow(rule);
            for (qsizetype s = std::max(p, markedTo); s < p + rule.window; ++s)
                found.rulesOfSessions[std::size_t(s)] |= RuleSet(1u << ruleIndex);
            markedTo = p + rule.window;
        } else {
            Shown = false;
        }
        if (p + rule.window == N)
            break;
        steps.at(p);
        count += rule.counts(x + p + rule.window, lines);
        count -= rule.counts(x + p + rule.firstCounted, lines);
    }
}

} // namespace

static_assert(std::size(rules) == signalRuleCount);
static_assert(std::accumulate(std::begin(ruleFamilies), std::end(ruleFamilies), 0) ==
                  allSignalRules,
              "every rule in one family");

QLatin1StringView signalRuleId(int rule) {
    return rules[rule].id;
}

QStringList signalRuleIds(RuleSet set) {
    QStringList ids;
    for (int rule = 0; rule < signalRuleCount; ++rule)
        if (set & (1u << rule))
            ids << rules[rule].id;
    return ids;
}

SignalFindings findSignals(std::span<const double> Rate, const ChartLines& lines, RuleSet ruleSet,
                           const ProgressReport& progress) {
    SignalFindings found;
    found.rulesOfSessions.resize(Rate.size());
    // Each rule has a share of the progress of its own, which keeps the window loop lean.
    const double ruleShare = 1.0 / std::popcount(ruleSet);
    double done = 0;
    for (const Rule& rule : rules) {
        if (ruleSet & (1u << (&rule - rules))) {
            ProgressSteps steps(progress, qsizetype(Rate.size()), done, done + ruleShare);
            applyRule(rule, Rate, lines, found, steps);
            done += ruleShare;
        }
    }
    return found;
}
