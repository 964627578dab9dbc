// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary clipboard text through the paste and the analysis. The first byte picks the
// locale, the rest is the text.
#include "pastechecks.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = pickLocale(data[0]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    checkOutcome(pasteSessions(text, locale), locale);
    return 0;
}
