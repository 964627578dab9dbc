// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/sheetcopy.h"

#include <algorithm>
#include <cmath>

namespace {

bool isClockLetter(QChar c) {
    const char16_t lower = c.toLower().unicode();
    return lower == u'h' || lower == u'm' || lower == u's';
}

// The code with its literal text (quoted, escaped) blanked out, so that a "min" or an escaped
// colon says nothing of the format.
QString withoutLiterals(QStringView code) {
    QString kept;
    kept.reserve(code.size());
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i] == u'"') {
            quoted = !quoted;
            kept += u' ';
        } else if (quoted || code[i] == u'\\') {
            kept += u' ';
            if (!quoted && i + 1 < code.size())
                ++i;
        } else {
            kept += code[i];
        }
    }
    return kept;
}

} // namespace

bool isTimeFormat(QStringView formatCode) {
    const QString code = withoutLiterals(formatCode);
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i] == u'[') {
            // "[h]", "[MM]" and the like count elapsed time; "[RED]" or "[$€-413]" do not.
            const qsizetype close = code.indexOf(u']', i);
            if (close < 0)
                return false;
            const QStringView inside = QStringView(code).sliced(i + 1, close - i - 1);
            if (!inside.isEmpty() && std::all_of(inside.begin(), inside.end(), [&](QChar c) {
                    return isClockLetter(c) && c.toLower() == inside[0].toLower();
                }))
                return true;
            i = close;
        } else if (code[i] == u':') {
            const bool before = i > 0 && (isClockLetter(code[i - 1]) || code[i - 1] == u']');
            if (before && i + 1 < code.size() && isClockLetter(code[i + 1]))
                return true;
        }
    }
    return false;
}

double dayFractionMinutes(double dayFraction) {
    return std::round(dayFraction * 86'400'000.0) / 60'000.0;
}
