// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/common/rtftext.h"

QByteArray rtfParagraph(QStringView text) {
    QByteArray paragraph;
    paragraph.reserve(text.size() + 6);
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            paragraph += '\\';
            paragraph += char(unit);
        } else if (unit >= 0x20 && unit < 0x80) {
            paragraph += char(unit);
        } else {
            // RTF counts in signed 16-bit UTF-16 units, each followed by a stand-in for readers
            // that do not know \u.
            paragraph += "\\u" + QByteArray::number(qint16(unit)) + '?';
        }
    }
    return paragraph + "\\par\n";
}
