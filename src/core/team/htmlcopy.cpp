// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/htmlcopy.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <libxml/HTMLparser.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

bool named(const xmlChar* name, const char* expected) {
    return xmlStrcasecmp(name, reinterpret_cast<const xmlChar*>(expected)) == 0;
}

QString attribute(const xmlChar** attributes, const char* wanted) {
    for (; attributes && attributes[0]; attributes += 2)
        if (named(attributes[0], wanted))
            return QString::fromUtf8(reinterpret_cast<const char*>(attributes[1]));
    return {};
}

// Follows the parser's events through the first table, ignoring any table inside it.
struct TableReader {
    SheetRows rows;
    bool anyValue = false;
    int tableDepth = 0; // of the tables open, counting the first as 1
    bool tableDone = false;
    bool inCell = false;

    bool inFirstTable() const { return tableDepth == 1 && !tableDone; }

    void start(const xmlChar* name, const xmlChar** attributes) {
        if (named(name, "table")) {
            if (!tableDone)
                ++tableDepth;
        } else if (inFirstTable() && named(name, "tr")) {
            rows.emplace_back();
            inCell = false;
        } else if (inFirstTable() && (named(name, "td") || named(name, "th")) && !rows.empty()) {
            rows.back().push_back(cell(attributes));
            inCell = true;
        }
    }

    void end(const xmlChar* name) {
        if (named(name, "table") && tableDepth > 0 && !tableDone) {
            tableDone = --tableDepth == 0;
        } else if (inFirstTable() &&
                   (named(name, "td") || named(name, "th") || named(name, "tr"))) {
            if (inCell)
                rows.back().back().text = rows.back().back().text.trimmed();
            inCell = false;
        }
    }

    void text(const xmlChar* characters, int length) {
        if (!inCell || !inFirstTable())
            return;
        QString& cellText = rows.back().back().text;
        const qsizetype room = longestCellText * 2 - cellText.size(); // blanks are trimmed later
        if (room > 0)
            cellText += QString::fromUtf8(reinterpret_cast<const char*>(characters),
                                          std::min<qsizetype>(length, room));
    }

    SheetCell cell(const xmlChar** attributes) {
        SheetCell read;
        QString value = attribute(attributes, "sdval");
        if (value.isEmpty())
            return read;
        // Written ungrouped, with the decimal separator of the office's own locale.
        value.replace(u',', u'.').replace(u'\u066B', u'.');
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok && std::isfinite(number)) {
            anyValue = true;
            // "1033;1033;0.00": the locale twice, then the format code, which may hold ";".
            const QString format = attribute(attributes, "sdnum");
            setValue(read, number,
                     formatKind(QStringView(format).sliced(std::min(
                         format.size(), qsizetype(format.section(u';', 0, 1).size() + 1)))));
        }
        return read;
    }
};

struct FreeContext {
    void operator()(htmlParserCtxtPtr context) const { htmlFreeParserCtxt(context); }
};

TableReader& readerOf(void* userData) {
    return *static_cast<TableReader*>(userData);
}

} // namespace

std::optional<SheetRows> readHtmlCopy(QByteArrayView html, const ProgressReport& progress) {
    static const bool initialised = (xmlInitParser(), true);
    (void)initialised;

    TableReader reader;
    htmlSAXHandler handler;
    std::memset(&handler, 0, sizeof handler);
    handler.startElement = [](void* context, const xmlChar* name, const xmlChar** attributes) {
        readerOf(context).start(name, attributes);
    };
    handler.endElement = [](void* context, const xmlChar* name) {
        readerOf(context).end(name);
    };
    handler.characters = [](void* context, const xmlChar* text, int length) {
        readerOf(context).text(text, length);
    };
    handler.serror = [](void*, xmlErrorPtr) {
    }; // broken HTML is read as well as it can be
    handler.initialized = XML_SAX2_MAGIC;

    const std::unique_ptr<htmlParserCtxt, FreeContext> context(
        htmlCreatePushParserCtxt(&handler, &reader, nullptr, 0, nullptr, XML_CHAR_ENCODING_UTF8));
    if (!context)
        return std::nullopt;
    htmlCtxtUseOptions(context.get(), HTML_PARSE_RECOVER | HTML_PARSE_NOERROR |
                                          HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    // In blocks, hearing progress between them, so that a cancel is not kept waiting.
    constexpr qsizetype blockSize = 1 << 16;
    for (qsizetype start = 0; start < html.size(); start += blockSize) {
        const qsizetype length = std::min(blockSize, html.size() - start);
        htmlParseChunk(context.get(), html.data() + start, int(length), 0);
        if (progress)
            progress(0);
    }
    htmlParseChunk(context.get(), nullptr, 0, 1);
    if (!reader.anyValue)
        return std::nullopt;
    return std::move(reader.rows);
}
