// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/sheetcopy.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

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

FormatKind kindOf(QStringView formatCode) {
    // Brackets hold elapsed time ("[h]", "[MM]"), or colours, currencies and conditions, which
    // say nothing of the kind.
    QString bare;
    bool elapsed = false;
    const QString code = withoutLiterals(formatCode);
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i] != u'[') {
            bare += code[i];
            continue;
        }
        const qsizetype close = code.indexOf(u']', i);
        const QStringView inside =
            QStringView(code).sliced(i + 1, (close < 0 ? code.size() : close) - i - 1);
        elapsed = elapsed ||
                  (!inside.isEmpty() && std::all_of(inside.begin(), inside.end(), [&](QChar c) {
                      return isClockLetter(c) && c.toLower() == inside[0].toLower();
                  }));
        bare += u' ';
        i = close < 0 ? code.size() : close;
    }
    bare.replace(u"AM/PM"_s, u" "_s, Qt::CaseInsensitive)
        .replace(u"A/P"_s, u" "_s, Qt::CaseInsensitive);
    // One word that is no run of clock letters names the general format: "General", "Standard".
    const QString word = bare.trimmed();
    if (std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); }) &&
        !std::all_of(word.begin(), word.end(), isClockLetter))
        return FormatKind::Number;
    bool clock = elapsed, clockLetters = false;
    for (qsizetype i = 0; i < bare.size(); ++i) {
        const QChar c = bare[i];
        if (isClockLetter(c))
            clockLetters = true;
        else if (c.isLetter() && c.toLower() != u'e')
            return FormatKind::Other;
        else if (c == u':' && i > 0 && i + 1 < bare.size() && isClockLetter(bare[i - 1]) &&
                 isClockLetter(bare[i + 1]))
            clock = true;
    }
    if (clock)
        return FormatKind::Time;
    return clockLetters ? FormatKind::Other : FormatKind::Number;
}

} // namespace

// The cells of a column share their format, and a table has few columns, so the kinds of the
// last few formats are kept.
FormatKind formatKind(QStringView formatCode) {
    struct Known {
        QString code;
        FormatKind kind;
    };
    thread_local std::array<std::optional<Known>, 4> known;
    thread_local std::size_t next = 0;
    for (const std::optional<Known>& format : known)
        if (format && format->code == formatCode)
            return format->kind;
    known[next] = Known{formatCode.toString(), kindOf(formatCode)};
    const FormatKind kind = known[next]->kind;
    next = (next + 1) % known.size();
    return kind;
}

void setValue(SheetCell& cell, double value, FormatKind kind) {
    cell.value.reset();
    cell.time = kind == FormatKind::Time;
    if (kind != FormatKind::Other)
        cell.value = value;
}

double dayFractionMinutes(double dayFraction) {
    return std::round(dayFraction * 86'400'000.0) / 60'000.0;
}
