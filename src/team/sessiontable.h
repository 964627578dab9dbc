#pragma once

#include <QList>
#include <QString>

// The session grid content below its header row, exactly as pasted.
struct SessionTable {
    QList<QString> cells; // row-major, two texts per session: amount, minutes
    qsizetype sessionCount() const { return cells.size() / 2; }
};
