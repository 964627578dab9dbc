// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/analysis.h"
#include "core/team/paste.h"
#include "equalphases.h"
#include "ui/controls/flexgrid.h"
#include "ui/controls/zoomchartview.h"
#include "ui/style/fontsubstitutes.h"
#include "ui/style/palette.h"
#include "ui/team/backgroundjob.h"
#include "ui/team/teamchart.h"
#include "ui/team/teammain.h"
#include "ui/team/teamreport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

using namespace Qt::Literals::StringLiterals;

// A two-column spreadsheet copy: amounts of both signs and a spread of session lengths.
QString sessionText(qsizetype sessions) {
    QString text;
    text.reserve(sessions * 12);
    for (qsizetype i = 0; i < sessions; ++i) {
        text += QString::number(i * 7919 % 2001 - 1000);
        text += u'\t';
        text += QString::number(20 + i * 31 % 580);
        text += u"\r\n";
    }
    return text;
}

QAbstractButton* button(const TeamMain& window, const char* name) {
    return window.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

// The longest time the window goes without handling its events, from the watch's start.
class StallWatch {
public:
    StallWatch() {
        tick.callOnTimeout([this] { longest = std::max(longest, sinceLastTick.restart()); });
        tick.start(1);
        sinceLastTick.start();
    }
    double longestMs() const { return double(std::max(longest, sinceLastTick.elapsed())); }

private:
    QElapsedTimer sinceLastTick;
    qint64 longest = 0;
    QTimer tick;
};

// Clicks the button and waits, as the user does, for the work it starts to end and the window to
// repaint.
void press(QAbstractButton* b) {
    b->click();
    while (b->window()->findChild<BackgroundJob*>()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QCoreApplication::processEvents();
}

// Waits for the grids to take in all their rows, which they do a slice at a time.
void waitForRows(const QWidget& window) {
    const auto rowsShown = [&window] {
        qsizetype rows = 0;
        for (const FlexGrid* grid : window.findChildren<FlexGrid*>())
            rows += grid->model()->rowCount();
        return rows;
    };
    for (qsizetype rows = -1; rows != rowsShown();) {
        rows = rowsShown();
        QEventLoop settle;
        QTimer::singleShot(50, &settle, &QEventLoop::quit);
        settle.exec();
    }
}

// Times pressing the button, then counts stalls until the grids hold all their rows.
void timePress(benchmark::State& state, const TeamMain& window, const char* name) {
    for (auto _ : state) {
        const StallWatch watch;
        press(button(window, name));
        state.PauseTiming();
        waitForRows(window);
        state.counters["stall_ms"] = std::max(state.counters["stall_ms"].value, watch.longestMs());
        state.ResumeTiming();
    }
}

void paste(benchmark::State& state) {
    QGuiApplication::clipboard()->setText(sessionText(state.range(0)));
    TeamMain window;
    window.show();
    timePress(state, window, "SSSave");
}

void analyse(benchmark::State& state) {
    QGuiApplication::clipboard()->setText(sessionText(state.range(0)));
    TeamMain window;
    window.show();
    press(button(window, "SSSave"));
    waitForRows(window);
    timePress(state, window, "SSCommand1");
    state.counters["lines"] = double(window.findChild<FlexGrid*>(u"GR"_s)->model()->rowCount());
}

// A window that holds an analysis of that many sessions.
std::unique_ptr<TeamMain> analysedWindow(qsizetype sessions) {
    QGuiApplication::clipboard()->setText(sessionText(sessions));
    auto window = std::make_unique<TeamMain>();
    window->show();
    press(button(*window, "SSSave"));
    press(button(*window, "SSCommand1"));
    waitForRows(*window);
    return window;
}

// Lets the chart lay itself out, then paints it.
void paintChart(TeamChart* chart) {
    QCoreApplication::processEvents();
    chart->repaint();
}

// A page of the chart window, shown and painted: the view that zooms it and the x range of all
// its data.
struct ShownPage {
    ZoomChartView* view;
    double from, to;
};

ShownPage showControlChart(TeamChart* chart, qsizetype sessions) {
    paintChart(chart);
    return {chart->findChild<ZoomChartView*>(u"Rates"_s), 0.5, double(sessions) + 0.5};
}

// The expectation page, with a game entered.
ShownPage showExpectation(TeamChart* chart, qsizetype sessions) {
    auto* page = chart->findChild<QWidget*>(u"ExpectationPage"_s);
    page->findChild<QLineEdit*>(u"EVField"_s)->setText(u"75"_s);
    page->findChild<QLineEdit*>(u"SDField"_s)->setText(u"813.17"_s);
    chart->findChild<QTabWidget*>()->setCurrentWidget(page);
    paintChart(chart);
    // The sessions average 5.2 hours.
    return {page->findChild<ZoomChartView*>(), 0, double(sessions) * 5};
}

using ShowPage = ShownPage (*)(TeamChart*, qsizetype);

// From the click on Chart to the page painted, each time in a window of its own.
void openPage(benchmark::State& state, ShowPage show) {
    for (auto _ : state) {
        state.PauseTiming();
        const auto window = analysedWindow(state.range(0));
        state.ResumeTiming();
        button(*window, "SSChart")->click();
        show(window->findChild<TeamChart*>(), state.range(0));
    }
}

// A zoom in, a pan and a zoom out, each drawn anew from the data in sight.
void redrawPage(benchmark::State& state, ShowPage show) {
    const auto window = analysedWindow(state.range(0));
    button(*window, "SSChart")->click();
    auto* chart = window->findChild<TeamChart*>();
    const ShownPage page = show(chart, state.range(0));
    const double from = page.from, width = page.to - page.from;
    const double ranges[][2] = {{from + width * 0.25, from + width * 0.75},
                                {from + width * 0.3, from + width * 0.8},
                                {page.from, page.to}};
    qsizetype step = 0;
    for (auto _ : state) {
        const auto& range = ranges[step++ % std::size(ranges)];
        page.view->requestRange(range[0], range[1]);
        paintChart(chart);
    }
}

void openChart(benchmark::State& state) {
    openPage(state, showControlChart);
}
void redrawChart(benchmark::State& state) {
    redrawPage(state, showControlChart);
}
void openExpectation(benchmark::State& state) {
    openPage(state, showExpectation);
}
void redrawExpectation(benchmark::State& state) {
    redrawPage(state, showExpectation);
}

// An analysis of that many sessions in that many phases of equal length, drawn in a chart window
// that showed a small table before, as when the next player's sheet is analysed: from handing it
// over until it is painted.
void chartPhases(benchmark::State& state) {
    const auto analysed = [](qsizetype count, qsizetype phases) {
        auto sessions = std::make_shared<const SessionTable>(
            pasteSessions(sessionText(count), QLocale()).sessions);
        return std::pair(sessions, std::make_shared<const Analysis>(analyseSessions(
                                       sessions->values, equalPhases(count, phases))));
    };
    const auto [fewSessions, fewAnalysis] = analysed(60, 1);
    const auto [sessions, analysis] = analysed(state.range(0), state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        TeamChart chart(nullptr);
        chart.show();
        chart.showAnalysis(fewSessions, fewAnalysis);
        paintChart(&chart);
        state.ResumeTiming();
        chart.showAnalysis(sessions, analysis);
        paintChart(&chart);
    }
}

// The report of the analysis as a PDF, a page of result lines for every 60 or so.
void reportPdf(benchmark::State& state) {
    const auto window = analysedWindow(state.range(0));
    button(*window, "SSChart")->click();
    auto* chart = window->findChild<TeamChart*>();
    showExpectation(chart, state.range(0));
    for (auto _ : state)
        state.counters["bytes"] = double(::reportPdf(chart->reportContent()).size());
}

} // namespace

BENCHMARK(reportPdf)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(openExpectation)
    ->Arg(1'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(redrawExpectation)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(openChart)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(redrawChart)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(chartPhases)
    ->Args({1'000'000, 1})
    ->Args({1'000'000, 10})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(paste)->Arg(1'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(analyse)->Arg(1'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TavoBAS::installFontSubstitutes();
    TavoBAS::InitPalette();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
