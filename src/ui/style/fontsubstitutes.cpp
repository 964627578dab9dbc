// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/style/fontsubstitutes.h"

#include "ui/controls/designfont.h"

#include <QFont>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace TavoBAS {

void installFontSubstitutes() {
    // Liberation Sans has Arial's advance widths and leaves every designed caption room at 96
    // and 120 DPI. DejaVu Sans, the default here, runs about a fifth wider: bold 8.25 points,
    // "Slug outside the PZ (b)" takes 143 px where its panel shows 144.
    const QStringList fallbacks{u"Liberation Sans"_s, u"Arimo"_s, u"Nimbus Sans"_s,
                                u"DejaVu Sans"_s};
    QFont::insertSubstitutions(designFontName.toString(), fallbacks);
    QFont::insertSubstitutions(smallFontName.toString(), fallbacks);
}

} // namespace TavoBAS
