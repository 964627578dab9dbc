// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/analysis.h"

#include "core/team/resultline.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The share of the work spent on the rates; the rules take the rest.
constexpr double ratesShare = 0.1;

std::vector<double> hourlyRates(std::span<const SessionValues> sessions,
                                const ProgressReport& progress) {
    std::vector<double> Rate(sessions.size());
    ProgressSteps steps(progress, qsizetype(sessions.size()), 0, ratesShare);
    for (std::size_t i = 0; i < Rate.size(); ++i) {
        Rate[i] = hourlyRate(sessions[i].amount, sessions[i].minutes);
        steps.at(qsizetype(i));
    }
    return Rate;
}

bool allFinite(const ChartLines& c) {
    return std::ranges::all_of(std::initializer_list<double>{c.Mean, c.MRBar, c.UCL, c.LCL, c.USig2,
                                                             c.LSig2, c.USig1, c.LSig1},
                               [](double line) { return std::isfinite(line); });
}

} // namespace

qsizetype Analysis::lineCount() const {
    return Rate.empty() ? 0 : std::max<qsizetype>(found.size(), 1);
}

QString Analysis::lineText(qsizetype line) const {
    if (line < 0 || line >= lineCount())
        return {};
    if (found.isEmpty())
        return verdict;
    const Signal& signal = found[line];
    return resultLineText(signal.message,
                          std::span(Rate).subspan(std::size_t(signal.firstSession),
                                                  std::size_t(signal.sessionCount)));
}

SessionSpan Analysis::sessionsOf(qsizetype line) const {
    if (line < 0 || line >= found.size())
        return {};
    return {found[line].firstSession, found[line].sessionCount};
}

QList<SessionSpan> Analysis::sessionsOf(const QList<qsizetype>& lines) const {
    QList<SessionSpan> spans;
    for (qsizetype line : lines)
        if (const SessionSpan span = sessionsOf(line); span.count > 0)
            spans.append(span);
    std::ranges::sort(spans, {}, &SessionSpan::first);
    QList<SessionSpan> runs;
    for (const SessionSpan& span : std::as_const(spans)) {
        if (!runs.isEmpty() && span.first <= runs.last().first + runs.last().count)
            runs.last().count =
                std::max(runs.last().count, span.first + span.count - runs.last().first);
        else
            runs.append(span);
    }
    return runs;
}

QList<qsizetype> Analysis::linesIncluding(qsizetype session) const {
    QList<qsizetype> lines;
    for (qsizetype line = 0; line < found.size(); ++line)
        if (session >= found[line].firstSession &&
            session < found[line].firstSession + found[line].sessionCount)
            lines.append(line);
    return lines;
}

Analysis analyseSessions(std::span<const SessionValues> sessions, const ProgressReport& progress) {
    Analysis analysis;
    if (sessions.empty())
        return analysis;
    analysis.Rate = hourlyRates(sessions, progress);
    analysis.MovRange = movingRanges(analysis.Rate);
    analysis.rulesOf.resize(analysis.Rate.size());
    const std::span<const double> series(analysis.Rate);
    analysis.chart = chartLines(series, analysis.MovRange);
    analysis.rangesBeyond.reserve(analysis.MovRange.size());
    for (double range : analysis.MovRange)
        analysis.rangesBeyond.push_back(range > rangeLimit(analysis.chart) ? beyondLimitsRule : 0);
    if (!allFinite(analysis.chart)) {
        analysis.verdict = "Values too large to analyse"_L1;
        return analysis;
    }
    analysis.verdict = "No signals"_L1;
    // With no variation no rule can hold; the rounding of the mean must not make one fire.
    if (std::ranges::all_of(series, [&](double rate) { return rate == series.front(); }))
        return analysis;
    SignalFindings findings =
        findSignals(series, analysis.chart, allSignalRules, [&](double share) {
            if (progress)
                progress(ratesShare + (1 - ratesShare) * share);
        });
    analysis.found = std::move(findings.reported);
    analysis.rulesOf = std::move(findings.rulesOfSessions);
    return analysis;
}
