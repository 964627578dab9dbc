// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/clipboardoffer.h"

#include "core/team/gnumericcopy.h"
#include "core/team/htmlcopy.h"

namespace {

// A rich flavour spends some tens of bytes on a cell that the text writes in a few; beyond this
// it is not the same copy, or a bomb, and the text is read instead.
qsizetype largestRichFlavour(const QString& text) {
    return 64 * text.size() + (1 << 20);
}

} // namespace

PasteOutcome pasteOffer(const ClipboardOffer& offer, const QLocale& locale,
                        const ProgressReport& progress) {
    const qsizetype largest = largestRichFlavour(offer.text);
    std::optional<SheetRows> rows;
    if (!offer.gnumeric.isEmpty())
        rows = readGnumericCopy(offer.gnumeric, offer.text, largest, progress);
    if (!rows && !offer.html.isEmpty() && offer.html.size() <= largest)
        rows = readHtmlCopy(offer.html, progress);
    if (rows)
        return pasteSheet(*rows, locale, progress);
    return pasteSessions(offer.text, locale, progress);
}
