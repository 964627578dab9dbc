#include "analysis.h"

#include "chartstats.h"
#include "common/numbertext.h"
#include "resultline.h"
#include "signalrules.h"

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// The paste only lets numbers into the table; a cell that is not one counts as 0 rather than
// stopping the analysis.
double cellValue(const QString& cell, const QLocale& locale) {
    return parseNumber(cell, locale).value_or(0.0);
}

std::vector<double> hourlyRates(const SessionTable& sessions, const QLocale& locale) {
    std::vector<double> Rate(static_cast<std::size_t>(sessions.sessionCount()));
    for (std::size_t i = 0; i < Rate.size(); ++i) {
        const qsizetype row = static_cast<qsizetype>(i) * 2;
        const double minutes = cellValue(sessions.cells[row + 1], locale);
        const double amount = cellValue(sessions.cells[row], locale);
        Rate[i] = hourlyRate(amount, minutes);
    }
    return Rate;
}

} // namespace

QList<ResultLine> analyseSessions(const SessionTable& sessions, const QLocale& locale) {
    if (sessions.sessionCount() == 0)
        return {};
    const std::vector<double> Rate = hourlyRates(sessions, locale);
    const std::span<const double> series(Rate);
    const QList<Signal> found = findSignals(series, chartLines(series));
    if (found.isEmpty())
        return {{"No signals"_L1, 0, 0}};

    QList<ResultLine> lines;
    lines.reserve(found.size());
    for (const Signal& signal : found) {
        const auto window = series.subspan(static_cast<std::size_t>(signal.firstSession),
                                           static_cast<std::size_t>(signal.sessionCount));
        lines.append(
            {resultLineText(signal.message, window), signal.firstSession, signal.sessionCount});
    }
    return lines;
}
