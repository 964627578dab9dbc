// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"
#include "core/team/sessiontable.h"
#include "core/team/sheetcopy.h"

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

// Why a paste was refused, and where.
struct PasteRefusal {
    enum Reason {
        NonNumeric,      // a field that is neither a number nor a duration
        AmbiguousNumber, // a field that reads one way here and 1000 times more in the other
                         // notation
        NotTwoColumns,   // a row that does not hold exactly two values
        NotEnoughData,   // not one session
    };
    Reason reason = NotEnoughData;
    qsizetype row = 0;    // 1-based row of the field or the row refused
    qsizetype column = 0; // 1-based column of the field refused
    QString field;        // the field refused, as pasted (its first 1,001 characters at most)
    qsizetype values = 0; // how many values the refused row holds
    double reading = 0;   // an ambiguous number as read here, and as a grouped whole number
    double groupedReading = 0;
};

struct PasteOutcome {
    SessionTable sessions; // empty when refused
    std::optional<PasteRefusal> refusal;
};

// Reads a spreadsheet copy: rows cut at every line end (CR LF, CR or LF), fields at TAB, each row
// one session of two fields (amount, minutes). Every field must be a number or a clock-time
// duration of at most 1,000 characters, blanks included; the session table holds a duration as
// minutes. Blanks behind the last line end are no row.
PasteOutcome pasteSessions(QStringView clipboardText, const QLocale& locale = QLocale(),
                           const ProgressReport& progress = {});

// Reads the cells of a spreadsheet's own copy as pasteSessions reads fields, taking a cell's
// value where the copy carries one: a time or duration as its minutes, anything else as the
// amount it is. Blank rows below the table and blank columns right of it are left out. Rows and
// columns are counted as the copy holds them.
PasteOutcome pasteSheet(const SheetRows& rows, const QLocale& locale = QLocale(),
                        const ProgressReport& progress = {});

// The message box a refusal shows: its text and the informative text that says where.
struct PasteMessage {
    QString text;
    QString informativeText;
};
PasteMessage pasteMessage(const PasteRefusal& refusal, const QLocale& locale = QLocale());
