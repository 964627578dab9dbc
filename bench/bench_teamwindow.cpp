#include "controls/flexgrid.h"
#include "style/fontsubstitutes.h"
#include "style/palette.h"
#include "team/teammain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
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

// Clicks the button and lets the window repaint, as the user waits for both.
void press(QAbstractButton* b) {
    b->click();
    QCoreApplication::processEvents();
}

void paste(benchmark::State& state) {
    QGuiApplication::clipboard()->setText(sessionText(state.range(0)));
    TeamMain window;
    window.show();
    for (auto _ : state)
        press(button(window, "SSSave"));
}

void analyse(benchmark::State& state) {
    QGuiApplication::clipboard()->setText(sessionText(state.range(0)));
    TeamMain window;
    window.show();
    press(button(window, "SSSave"));
    for (auto _ : state)
        press(button(window, "SSCommand1"));
    state.counters["lines"] = double(window.findChild<FlexGrid*>(u"GR"_s)->rows() - 1);
}

} // namespace

BENCHMARK(paste)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(analyse)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

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
