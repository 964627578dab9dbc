// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary HTML, as a spreadsheet's copy would offer it, through the paste and the
// analysis. The first byte picks the locale, the rest is the HTML.
#include "core/team/clipboardoffer.h"
#include "pastechecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = pickLocale(data[0]);
    ClipboardOffer offer;
    offer.html = QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    checkOutcome(pasteOffer(offer, locale), locale);
    return 0;
}
