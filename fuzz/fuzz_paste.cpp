// Feeds arbitrary clipboard text through the paste and the analysis. The first byte picks the
// locale, the rest is the text. Besides crashes, it stops on two broken promises: a pasted cell
// the analysis cannot read, and a number read differently from QLocale's own reading.
#include "common/numbertext.h"
#include "team/analysis.h"
#include "team/paste.h"

#include <QString>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

const QLocale& pickLocale(std::uint8_t selector) {
    static const QLocale locales[] = {QLocale::c(), QLocale("en_US"), QLocale("de_DE"),
                                      QLocale("fr_FR"), QLocale("hi_IN")};
    return locales[selector % std::size(locales)];
}

// Without parentheses or currency signs, the conversion is QLocale's reading of the trimmed
// text, however it gets there.
void checkNumberReading(const QString& text, const QLocale& locale) {
    const QString currency = locale.currencySymbol(QLocale::CurrencySymbol);
    if (text.contains(u'(') || text.contains(u'$') ||
        (!currency.isEmpty() && text.contains(currency)))
        return;
    bool ok = false;
    const double expected = locale.toDouble(text.trimmed(), &ok);
    const std::optional<double> value = parseNumber(text, locale);
    if (value.has_value() != (ok && std::isfinite(expected)))
        std::abort();
    if (value && std::bit_cast<std::uint64_t>(*value) != std::bit_cast<std::uint64_t>(expected))
        std::abort();
}

void checkAnalysis(const SessionTable& sessions, const QLocale& locale) {
    for (const QString& cell : sessions.cells)
        if (!parseNumber(cell, locale))
            std::abort();
    for (const ResultLine& line : analyseSessions(sessions, locale))
        if (line.firstSession < 0 ||
            line.firstSession + line.sessionCount > sessions.sessionCount())
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = pickLocale(data[0]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));

    checkNumberReading(text, locale);
    const PasteOutcome outcome = pasteSessions(text, locale);
    if (outcome.error.isEmpty() == outcome.sessions.cells.isEmpty())
        std::abort();
    checkAnalysis(outcome.sessions, locale);
    return 0;
}
