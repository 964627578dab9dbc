// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// Many short texts, such as the cells of a table, held in one buffer and found by where each
// ends: a million cells cost their characters and four bytes each, not a heap string apiece.
class CellTexts {
public:
    qsizetype size() const { return qsizetype(ends.size()); }
    QStringView at(qsizetype index) const;

    // Room for this many texts of these many characters in all, so that filling it never copies.
    void reserve(qsizetype count, qsizetype totalCharacters);
    // Throws std::bad_alloc when memory, or the four-byte offsets, run out.
    void append(QStringView text);

private:
    QString characters;
    std::vector<quint32> ends;
};
