#pragma once

#include "sessiontable.h"

#include <QLocale>
#include <QStringView>
#include <optional>

// Why a paste was refused: a field that is neither a number nor a duration, or not one whole
// session.
enum class PasteRefusal { NonNumeric, NotEnoughData };

struct PasteOutcome {
    SessionTable sessions; // empty when refused
    std::optional<PasteRefusal> refusal;
};

// Reads a spreadsheet copy: fields cut at TAB and at every line end (CR LF, CR or LF), paired
// by position into (amount, minutes) sessions. Every field must be a number or a clock-time
// duration; an unpaired last field is checked but not kept.
PasteOutcome pasteSessions(QStringView clipboardText, const QLocale& locale = QLocale());
