// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/common/celltexts.h"

#include <limits>
#include <new>

QStringView CellTexts::at(qsizetype index) const {
    const std::size_t i = std::size_t(index);
    const quint32 start = i == 0 ? 0 : ends[i - 1];
    return QStringView(characters).sliced(start, ends[i] - start);
}

void CellTexts::reserve(qsizetype count, qsizetype totalCharacters) {
    characters.reserve(totalCharacters);
    ends.reserve(std::size_t(count));
}

void CellTexts::append(QStringView text) {
    if (text.size() > std::numeric_limits<quint32>::max() - characters.size())
        throw std::bad_alloc();
    characters.append(text);
    ends.push_back(quint32(characters.size()));
}
