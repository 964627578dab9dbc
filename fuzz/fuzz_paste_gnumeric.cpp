// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary Gnumeric copies (XML or gzip) with the plain text beside them through the
// paste and the analysis. The first byte picks the locale, the second says how many of the last
// bytes are the text; the bytes between are the copy.
#include "core/team/clipboardoffer.h"
#include "pastechecks.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const QLocale& locale = pickLocale(data[0]);
    const std::size_t textSize = std::min<std::size_t>(data[1], size - 2);
    const char* bytes = reinterpret_cast<const char*>(data);
    ClipboardOffer offer;
    offer.gnumeric = QByteArray(bytes + 2, qsizetype(size - 2 - textSize));
    offer.text = QString::fromUtf8(bytes + size - textSize, qsizetype(textSize));
    checkOutcome(pasteOffer(offer, locale), locale);
    return 0;
}
