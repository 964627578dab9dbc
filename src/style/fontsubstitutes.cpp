#include "fontsubstitutes.h"

#include "controls/designfont.h"

#include <QFont>
#include <QStringList>

namespace TavoBAS {

void installFontSubstitutes() {
    // Liberation Sans has Arial's advance widths and leaves every designed caption room at 96
    // and 120 DPI. DejaVu Sans, the default here, runs about a fifth wider: bold 8.25 points,
    // "Slug outside the PZ (b)" takes 143 px where its panel shows 144.
    const QStringList fallbacks{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QString::fromLatin1(designFontName), fallbacks);
    QFont::insertSubstitutions(QString::fromLatin1(smallFontName), fallbacks);
}

} // namespace TavoBAS
