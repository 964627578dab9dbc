#pragma once

#include "sessiontable.h"

#include <QList>
#include <QLocale>
#include <QString>

struct ResultLine {
    QString text;           // exactly the line shown in the results grid
    qsizetype firstSession; // 0-based index of the first session the line is about
    qsizetype sessionCount; // sessions listed; 0 for "No signals"
};

// The whole analysis of a pasted table: hourly rates, chart lines, signal rules, result lines.
// An empty table gives no lines; a table in which no rule fires gives the one line "No signals".
QList<ResultLine> analyseSessions(const SessionTable& sessions, const QLocale& locale = QLocale());
