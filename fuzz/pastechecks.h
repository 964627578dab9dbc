// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What every paste fuzz target checks besides crashes: the promises a paste's outcome keeps.
#pragma once

#include "core/common/numbertext.h"
#include "core/team/analysis.h"
#include "core/team/paste.h"

#include <QLocale>
#include <cstdint>
#include <cstdlib>

// The first byte of an input picks the locale.
inline const QLocale& pickLocale(std::uint8_t selector) {
    static const QLocale locales[] = {QLocale::c(),     QLocale("en_US"), QLocale("de_DE"),
                                      QLocale("fr_FR"), QLocale("hi_IN"), QLocale("ar_EG"),
                                      QLocale("he_IL")};
    return locales[selector % std::size(locales)];
}

// A refusal keeps no cells; what the grid shows is what the analysis works on; no result line is
// about sessions not there.
inline void checkOutcome(const PasteOutcome& outcome, const QLocale& locale) {
    const SessionTable& sessions = outcome.sessions;
    if (outcome.refusal.has_value() != (sessions.cells.size() == 0) ||
        sessions.cells.size() != 2 * sessions.sessionCount())
        std::abort();
    for (qsizetype session = 0; session < sessions.sessionCount(); ++session) {
        const SessionValues& values = sessions.values[std::size_t(session)];
        if (parseNumber(sessions.cells.at(2 * session), locale) != values.amount ||
            parseNumber(sessions.cells.at(2 * session + 1), locale) != values.minutes)
            std::abort();
    }
    const Analysis analysis = analyseSessions(sessions.values);
    for (qsizetype line = 0; line < analysis.lineCount(); ++line) {
        const SessionSpan span = analysis.sessionsOf(line);
        if (span.first < 0 || span.first + span.count > sessions.sessionCount() ||
            analysis.lineText(line).isEmpty())
            std::abort();
    }
}
