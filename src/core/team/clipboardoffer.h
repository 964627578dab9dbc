// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"
#include "core/team/paste.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <array>
#include <utility>

// What the clipboard offered to a paste, each flavour as it arrived; empty where not offered.
struct ClipboardOffer {
    QString text;
    QByteArray html;     // "text/html"
    QByteArray gnumeric; // "application/x-gnumeric"

    // The flavours a paste fetches beside the text, by MIME type, and where each goes.
    using Flavour = std::pair<const char*, QByteArray ClipboardOffer::*>;
    static constexpr std::array<Flavour, 2> richFlavours{
        {{"application/x-gnumeric", &ClipboardOffer::gnumeric},
         {"text/html", &ClipboardOffer::html}}};
};

// A paste of what the clipboard offers: the spreadsheet's own copy with its exact values where a
// flavour holds one (Gnumeric's, then HTML with cell values), the text otherwise.
PasteOutcome pasteOffer(const ClipboardOffer& offer, const QLocale& locale = QLocale(),
                        const ProgressReport& progress = {});
