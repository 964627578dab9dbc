// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/analysis.h"
#include "core/team/chartpoints.h"
#include "core/team/paste.h"
#include "core/team/sessionexport.h"
#include "equalphases.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);

// A spreadsheet copy as users paste it: amounts mostly in currency format with cents and
// grouping, some whole dollars; minutes as plain numbers or, in one row of five, as H:MM.
QString sessionText(qsizetype sessions) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> cents(-300000, 300000);
    std::uniform_int_distribution<int> minutes(20, 600);
    std::uniform_int_distribution<int> form(0, 9);
    QString text;
    text.reserve(sessions * 16);
    for (qsizetype i = 0; i < sessions; ++i) {
        const int amount = cents(random);
        const int style = form(random);
        if (style == 0)
            text += QString::number(amount / 100);
        else
            text += english.toString(amount / 100.0, 'f', 2);
        text += u'\t';
        const int length = minutes(random);
        if (style % 5 == 1)
            text += QString::asprintf("%d:%02d", length / 60, length % 60);
        else
            text += QString::number(length);
        text += u"\r\n";
    }
    return text;
}

void pasteAndAnalyse(benchmark::State& state) {
    const QString text = sessionText(state.range(0));
    qsizetype lines = 0;
    for (auto _ : state) {
        const PasteOutcome pasted = pasteSessions(text, english);
        const Analysis results = analyseSessions(pasted.sessions.values);
        lines = results.lineCount();
        benchmark::DoNotOptimize(&results);
    }
    state.counters["text_MB"] = double(text.size()) / 1e6; // ASCII: one byte a character
    state.counters["lines"] = double(lines);
}

void paste(benchmark::State& state) {
    const QString text = sessionText(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(pasteSessions(text, english).sessions.cells.size());
}

void analyse(benchmark::State& state) {
    const SessionTable table = pasteSessions(sessionText(state.range(0)), english).sessions;
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseSessions(table.values).lineCount());
}

// The same sessions in ten phases of equal length.
void analysePhases(benchmark::State& state) {
    const SessionTable table = pasteSessions(sessionText(state.range(0)), english).sessions;
    const AnalysisSettings settings = equalPhases(table.sessionCount(), 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseSessions(table.values, settings).lineCount());
}

// The points a 900-pixel-wide chart draws of a million sessions' rates, all of them in sight.
void chartPoints(benchmark::State& state) {
    const SessionTable table = pasteSessions(sessionText(state.range(0)), english).sessions;
    const Analysis analysis = analyseSessions(table.values);
    const double n = double(analysis.rates().size());
    const PlotFrame frame{0.5, n + 0.5, -20000, 20000, 900, 300, 3};
    qsizetype marked = 0;
    for (auto _ : state) {
        const ChartPoints points =
            ::chartPoints(analysis.rates(), 1, frame, analysis.rulesOfSessions(), ruleFamilies);
        marked = 0;
        for (const QList<QPointF>& family : points.marked)
            marked += family.size();
    }
    state.counters["marks"] = double(marked);
}

// The data file of the sessions in ten phases, their amount cells grouped and so quoted.
void exportData(benchmark::State& state) {
    const SessionTable table = pasteSessions(sessionText(state.range(0)), english).sessions;
    const Analysis analysis = analyseSessions(table.values, equalPhases(table.sessionCount(), 10));
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = sessionDataText(table, analysis).size();
    state.counters["file_MB"] = double(bytes) / 1e6;
}

} // namespace

BENCHMARK(exportData)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(chartPoints)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(pasteAndAnalyse)->Arg(500)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(paste)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(analyse)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(analysePhases)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
