// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/resultline.h"

#include "core/common/wholenumber.h"

QString resultLineText(QLatin1StringView message, std::span<const double> rates) {
    QString line = message;
    if (rates.empty())
        return line;
    line += u" (";
    for (std::size_t i = 0; i < rates.size(); ++i) {
        if (i > 0)
            line += u", ";
        line += wholeNumberText(rates[i]);
    }
    line += u')';
    return line;
}
