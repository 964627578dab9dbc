// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"
#include "core/team/analysissettings.h"
#include "core/team/chartstats.h"
#include "core/team/sessiontable.h"
#include "core/team/signalrules.h"

#include <QList>
#include <QString>
#include <vector>

// The sessions a result line is about.
struct SessionSpan {
    qsizetype first = 0; // 0-based
    qsizetype count = 0; // 0 for a line about no session in particular
};

// The whole analysis of a pasted table: the hourly rates, their moving ranges, the chart lines
// and the signals found, which the results list and the control chart both show.
// The result lines' texts are made when asked for, so that even hundreds of thousands of lines
// take little memory. An empty table gives no lines; a table in which no rule fires gives the
// one line "No signals". Each phase is judged on its own, and its lines follow those of the phase
// before; with more than one phase, each line begins "Phase 2: " or the like. A phase whose lines
// go beyond a double gives the one line "Values too large to analyse", about none of its
// sessions.
class Analysis {
public:
    qsizetype lineCount() const;
    // Exactly the line shown in the results grid; empty outside the lines.
    QString lineText(qsizetype line) const;
    SessionSpan sessionsOf(qsizetype line) const;
    // The sessions of all these lines, as runs in order that neither overlap nor touch; quickest
    // with the lines in order.
    QList<SessionSpan> sessionsOf(const QList<qsizetype>& lines) const;

    std::span<const double> rates() const { return Rate; }
    std::span<const double> movingRanges() const { return MovRange; }
    // The lines of the first phase, the only one unless phases are set.
    const ChartLines& lines() const;
    std::span<const Phase> phases() const { return phaseList; }
    // The sessions kept out of the limits, in order, and the rules that ran.
    std::span<const qsizetype> leftOutSessions() const { return leftOut; }
    RuleSet rulesRun() const { return rules; }
    qsizetype phaseOf(qsizetype session) const; // an index into phases()
    // Whether the session is one of those its phase's lines come from.
    bool inBaseline(qsizetype session) const;
    // For each session, the rules with a firing window that holds it, whether or not a line
    // reports that window.
    std::span<const RuleSet> rulesOfSessions() const { return rulesOf; }
    // For each moving range, beyondLimitsRule when it lies above its phase's range limit; a range
    // from one phase to the next belongs to neither.
    std::span<const RuleSet> rangeMarks() const { return rangesBeyond; }
    // The lines whose window holds the session, in order.
    QList<qsizetype> linesIncluding(qsizetype session) const;

private:
    friend Analysis analyseSessions(std::span<const SessionValues>, const AnalysisSettings&,
                                    const ProgressReport&);

    std::vector<double> Rate;
    std::vector<double> MovRange;
    std::vector<Phase> phaseList;
    std::vector<qsizetype> leftOut; // in order
    RuleSet rules = allSignalRules;
    QList<Signal> found; // a line each; that of a phase too large to analyse has no rule
    std::vector<RuleSet> rulesOf;
    std::vector<RuleSet> rangesBeyond;
};

Analysis analyseSessions(std::span<const SessionValues> sessions,
                         const AnalysisSettings& settings = {},
                         const ProgressReport& progress = {});
inline Analysis analyseSessions(std::span<const SessionValues> sessions,
                                const ProgressReport& progress) {
    return analyseSessions(sessions, {}, progress);
}
