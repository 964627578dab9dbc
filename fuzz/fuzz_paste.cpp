// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary clipboard text through the paste and the analysis. The first byte picks the
// locale, the rest is the text. Besides crashes, it stops on broken promises: a refusal that
// keeps cells, a cell that does not read back as the value analysed, a result line about sessions
// not there.
#include "core/common/numbertext.h"
#include "core/team/analysis.h"
#include "core/team/paste.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

const QLocale& pickLocale(std::uint8_t selector) {
    static const QLocale locales[] = {QLocale::c(),     QLocale("en_US"), QLocale("de_DE"),
                                      QLocale("fr_FR"), QLocale("hi_IN"), QLocale("ar_EG"),
                                      QLocale("he_IL")};
    return locales[selector % std::size(locales)];
}

// What the grid shows is what the analysis works on.
void checkCells(const SessionTable& sessions, const QLocale& locale) {
    if (sessions.cells.size() != 2 * sessions.sessionCount())
        std::abort();
    for (qsizetype session = 0; session < sessions.sessionCount(); ++session) {
        const SessionValues& values = sessions.values[std::size_t(session)];
        if (parseNumber(sessions.cells.at(2 * session), locale) != values.amount ||
            parseNumber(sessions.cells.at(2 * session + 1), locale) != values.minutes)
            std::abort();
    }
}

void checkAnalysis(const SessionTable& sessions) {
    const Analysis analysis = analyseSessions(sessions.values);
    for (qsizetype line = 0; line < analysis.lineCount(); ++line) {
        const SessionSpan span = analysis.sessionsOf(line);
        if (span.first < 0 || span.first + span.count > sessions.sessionCount() ||
            analysis.lineText(line).isEmpty())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = pickLocale(data[0]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));

    const PasteOutcome outcome = pasteSessions(text, locale);
    if (outcome.refusal.has_value() != (outcome.sessions.cells.size() == 0))
        std::abort();
    checkCells(outcome.sessions, locale);
    checkAnalysis(outcome.sessions);
    return 0;
}
