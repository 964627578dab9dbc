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

const ChartLines& Analysis::lines() const {
    static const ChartLines none;
    return phaseList.empty() ? none : phaseList.front().lines;
}

qsizetype Analysis::phaseOf(qsizetype session) const {
    return std::ranges::upper_bound(phaseList, session, {}, &Phase::first) - phaseList.begin() - 1;
}

bool Analysis::inBaseline(qsizetype session) const {
    if (session < 0 || session >= qsizetype(Rate.size()))
        return false;
    const std::optional<qsizetype> lock = phaseList[std::size_t(phaseOf(session))].lock;
    return (!lock || session <= *lock) && !std::ranges::binary_search(leftOut, session);
}

qsizetype Analysis::lineCount() const {
    return Rate.empty() ? 0 : std::max<qsizetype>(found.size(), 1);
}

QString Analysis::lineText(qsizetype line) const {
    if (line < 0 || line >= lineCount())
        return {};
    if (found.isEmpty())
        return u"No signals"_s;
    const Signal& signal = found[line];
    const QString text =
        resultLineText(signal.message, std::span(Rate).subspan(std::size_t(signal.firstSession),
                                                               std::size_t(signal.sessionCount)));
    if (phaseList.size() == 1)
        return text;
    return u"Phase %1: "_s.arg(phaseOf(signal.firstSession) + 1) + text;
}

SessionSpan Analysis::sessionsOf(qsizetype line) const {
    if (line < 0 || line >= found.size())
        return {};
    return {found[line].firstSession, found[line].sessionCount};
}

QList<SessionSpan> Analysis::sessionsOf(const QList<qsizetype>& lines) const {
    // A rule's lines come in the order of their sessions, so the lines' spans, taken in the
    // order of the lines, fall into a few ascending stretches. Merging neighbouring stretches
    // until one is left costs a fraction of a sort, which the user would wait for whenever a
    // selection of many lines changes.
    std::vector<SessionSpan> spans;
    spans.reserve(std::size_t(lines.size()));
    std::vector<std::size_t> stretchEnds;
    for (qsizetype line : lines)
        if (const SessionSpan span = sessionsOf(line); span.count > 0) {
            if (!spans.empty() && span.first < spans.back().first)
                stretchEnds.push_back(spans.size());
            spans.push_back(span);
        }
    stretchEnds.push_back(spans.size());
    SessionSpan* const at = spans.data();
    while (stretchEnds.size() > 1) {
        std::size_t merged = 0;
        for (std::size_t i = 0; i < stretchEnds.size(); i += 2) {
            const std::size_t begin = merged ? stretchEnds[merged - 1] : 0;
            const std::size_t end = stretchEnds[std::min(i + 1, stretchEnds.size() - 1)];
            std::ranges::inplace_merge(at + begin, at + stretchEnds[i], at + end, {},
                                       &SessionSpan::first);
            stretchEnds[merged++] = end;
        }
        stretchEnds.resize(merged);
    }
    std::vector<SessionSpan> runs;
    for (const SessionSpan& span : spans) {
        if (!runs.empty() && span.first <= runs.back().first + runs.back().count)
            runs.back().count =
                std::max(runs.back().count, span.first + span.count - runs.back().first);
        else
            runs.push_back(span);
    }
    return QList<SessionSpan>(runs.begin(), runs.end());
}

QList<qsizetype> Analysis::linesIncluding(qsizetype session) const {
    QList<qsizetype> lines;
    for (qsizetype line = 0; line < found.size(); ++line)
        if (session >= found[line].firstSession &&
            session < found[line].firstSession + found[line].sessionCount)
            lines.append(line);
    return lines;
}

Analysis analyseSessions(std::span<const SessionValues> sessions, const AnalysisSettings& settings,
                         const ProgressReport& progress) {
    Analysis analysis;
    if (sessions.empty())
        return analysis;
    analysis.Rate = hourlyRates(sessions, progress);
    analysis.MovRange = movingRanges(analysis.Rate);
    analysis.rulesOf.resize(analysis.Rate.size());
    analysis.rangesBeyond.resize(analysis.MovRange.size());
    analysis.rules = settings.rules;
    std::vector<qsizetype>& leftOut = analysis.leftOut;
    leftOut.assign(settings.leftOut.begin(), settings.leftOut.end());
    std::ranges::sort(leftOut);
    leftOut.erase(std::unique(leftOut.begin(), leftOut.end()), leftOut.end());
    const qsizetype N = qsizetype(analysis.Rate.size());
    analysis.phaseList = phasesOf(settings, N);

    for (Phase& phase : analysis.phaseList) {
        const qsizetype baselineEnd = phase.lock ? *phase.lock + 1 : phase.first + phase.count;
        std::vector<qsizetype> outOfBaseline;
        for (qsizetype session : leftOut)
            if (session >= phase.first && session < baselineEnd)
                outOfBaseline.push_back(session - phase.first);
        const auto series = std::span<const double>(analysis.Rate)
                                .subspan(std::size_t(phase.first), std::size_t(phase.count));
        const auto ranges = std::span<const double>(analysis.MovRange)
                                .subspan(std::size_t(phase.first), std::size_t(phase.count - 1));
        const auto baseline = series.first(std::size_t(baselineEnd - phase.first));
        phase.lines = chartLines(baseline, ranges, outOfBaseline);
        for (std::size_t j = 0; j < ranges.size(); ++j)
            analysis.rangesBeyond[std::size_t(phase.first) + j] =
                ranges[j] > rangeLimit(phase.lines) ? beyondLimitsRule : 0;

        // A line that says so, but about none of the sessions, as no rule ran on them.
        if (!allFinite(phase.lines)) {
            analysis.found.append({-1, {}, "Values too large to analyse"_L1, phase.first, 0});
            continue;
        }
        // With no variation no rule can hold; the rounding of the mean must not make one fire.
        if (std::ranges::all_of(series, [&](double rate) { return rate == series.front(); }))
            continue;
        const double from = ratesShare + (1 - ratesShare) * double(phase.first) / double(N);
        const double to = from + (1 - ratesShare) * double(phase.count) / double(N);
        SignalFindings findings =
            findSignals(series, phase.lines, settings.rules, [&](double share) {
                if (progress)
                    progress(from + (to - from) * share);
            });
        for (Signal& signal : findings.reported) {
            signal.firstSession += phase.first;
            analysis.found.append(signal);
        }
        std::ranges::copy(findings.rulesOfSessions,
                          analysis.rulesOf.begin() + std::ptrdiff_t(phase.first));
    }
    return analysis;
}
