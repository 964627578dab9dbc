#pragma once

#include "sessiontable.h"

#include <QLocale>
#include <QString>
#include <QStringView>

struct PasteOutcome {
    SessionTable sessions; // empty when error is set
    QString error;         // "" on success, else "Non-numeric character" or "Not enough data"
};

// Reads a spreadsheet copy: fields cut at TAB and at every line end (CR LF, CR or LF), paired
// by position into (amount, minutes) sessions. Every field must be a number or a clock-time
// duration; an unpaired last field is checked but not kept.
PasteOutcome pasteSessions(QStringView clipboardText, const QLocale& locale = QLocale());
