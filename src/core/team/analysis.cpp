// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/analysis.h"

#include "core/common/numbertext.h"
#include "core/team/resultline.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The share of the work spent reading the cells; the rules take the rest.
constexpr double readingShare = 0.7;

// The paste only lets numbers into the table; a cell that is not one counts as 0 rather than
// stopping the analysis.
double cellValue(QStringView cell, const QLocale& locale) {
    return parseNumber(cell, locale).value_or(0.0);
}

std::vector<double> hourlyRates(const SessionTable& sessions, const QLocale& locale,
                                const ProgressReport& progress) {
    std::vector<double> Rate(static_cast<std::size_t>(sessions.sessionCount()));
    ProgressSteps steps(progress, sessions.sessionCount(), 0, readingShare);
    for (std::size_t i = 0; i < Rate.size(); ++i) {
        const qsizetype row = static_cast<qsizetype>(i) * 2;
        const double minutes = cellValue(sessions.cells.at(row + 1), locale);
        const double amount = cellValue(sessions.cells.at(row), locale);
        Rate[i] = hourlyRate(amount, minutes);
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

Analysis analyseSessions(const SessionTable& sessions, const QLocale& locale,
                         const ProgressReport& progress) {
    Analysis analysis;
    if (sessions.sessionCount() == 0)
        return analysis;
    analysis.Rate = hourlyRates(sessions, locale, progress);
    analysis.MovRange = movingRanges(analysis.Rate);
    analysis.rulesOf.resize(analysis.Rate.size());
    const std::span<const double> series(analysis.Rate);
    analysis.chart = chartLines(series, analysis.MovRange);
    if (!allFinite(analysis.chart)) {
        analysis.verdict = "Values too large to analyse"_L1;
        return analysis;
    }
    analysis.verdict = "No signals"_L1;
    // With no variation no rule can hold; the rounding of the mean must not make one fire.
    if (std::ranges::all_of(series, [&](double rate) { return rate == series.front(); }))
        return analysis;
    analysis.found = findSignals(series, analysis.chart, [&](double share) {
        if (progress)
            progress(readingShare + (1 - readingShare) * share);
    });
    for (const Signal& signal : std::as_const(analysis.found))
        for (qsizetype i = 0; i < signal.sessionCount; ++i)
            analysis.rulesOf[std::size_t(signal.firstSession + i)] |= RuleSet(1u << signal.rule);
    return analysis;
}
