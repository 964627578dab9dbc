// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/gnumericcopy.h"

#include <QByteArray>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <zlib.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The XML of gzip-compressed data, or nothing when it is broken or grows beyond `largest` bytes.
std::optional<QByteArray> gunzip(QByteArrayView data, qsizetype largest,
                                 const ProgressReport& progress) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK) // gzip framing only
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = uInt(std::min<qsizetype>(data.size(), UINT32_MAX));
    QByteArray xml;
    constexpr qsizetype blockSize = 1 << 16;
    int status = Z_OK;
    while (status == Z_OK && xml.size() <= largest) {
        const qsizetype before = xml.size();
        xml.resize(before + blockSize);
        stream.next_out = reinterpret_cast<Bytef*>(xml.data() + before);
        stream.avail_out = blockSize;
        status = inflate(&stream, Z_NO_FLUSH);
        xml.resize(before + blockSize - qsizetype(stream.avail_out));
        if (progress)
            progress(0);
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END || xml.size() > largest)
        return std::nullopt;
    return xml;
}

// A block of the range in one format, as the range's styles give it.
struct Region {
    qsizetype top, left, bottom, right;
    FormatKind kind;
    bool contains(qsizetype row, qsizetype column) const {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
};

// Styles can split a column into many regions; more regions of times or dates than this are not
// a session table's, and would make every cell's look-up slow.
constexpr std::size_t mostRegions = 256;

// A range whose cells leave most of it empty is no table of sessions; reading it would only
// make room for the empty cells.
qsizetype mostCells(qsizetype cellsRead) {
    return cellsRead * 4 + 4096;
}

struct GnumericCell {
    qsizetype row, column;
    SheetCell cell;
    QString format;
};

// Hidden rows or columns, each span given as its first and how many from it.
using Spans = std::vector<std::pair<qsizetype, qsizetype>>;

// A hidden row or column, and the "Count" of equal ones that follow it.
void addHidden(const QXmlStreamAttributes& attributes, Spans& hidden) {
    if (attributes.value("Hidden"_L1) == "1"_L1)
        hidden.emplace_back(attributes.value("No"_L1).toLongLong(),
                            std::max<qsizetype>(1, attributes.value("Count"_L1).toLongLong()));
}

// The rows or columns of `count` left in view, in order.
std::vector<qsizetype> inView(qsizetype count, Spans hidden) {
    std::sort(hidden.begin(), hidden.end());
    std::vector<qsizetype> shown;
    std::size_t next = 0;
    qsizetype hiddenUntil = 0;
    for (qsizetype index = 0; index < count; ++index) {
        for (; next < hidden.size() && hidden[next].first <= index; ++next)
            hiddenUntil =
                std::max(hiddenUntil, hidden[next].first + std::min(hidden[next].second, count));
        if (index >= hiddenUntil)
            shown.push_back(index);
    }
    return shown;
}

// The plain-text copy as rows of fields, when it fits the rows and columns left in view: it
// leaves out hidden ones, and blank ones at its end.
std::optional<std::vector<QStringList>> shownFields(QStringView text, qsizetype rows,
                                                    qsizetype columns) {
    std::vector<QStringList> fields;
    for (QStringView line : text.tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        fields.push_back(line.toString().split(u'\t'));
        if (qsizetype(fields.size()) > rows || fields.back().size() > columns)
            return std::nullopt;
    }
    return fields;
}

} // namespace

std::optional<SheetRows> readGnumericCopy(QByteArrayView data, QStringView shownText,
                                          qsizetype largestXml, const ProgressReport& progress) {
    std::optional<QByteArray> unpacked;
    if (data.startsWith("\x1f\x8b")) {
        if (!(unpacked = gunzip(data, largestXml, progress)))
            return std::nullopt;
        data = *unpacked;
    }
    if (data.size() > largestXml)
        return std::nullopt;

    QXmlStreamReader xml(data.toByteArray());
    qsizetype rows = -1, columns = -1;
    Spans hiddenRows, hiddenColumns;
    std::vector<Region> regions; // of times, dates and the like
    std::vector<GnumericCell> cells;
    Spans* hidden = nullptr; // of the rows or columns being listed
    qsizetype elements = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::EndElement &&
            (xml.name() == "Rows"_L1 || xml.name() == "Cols"_L1))
            hidden = nullptr;
        if (!xml.isStartElement())
            continue;
        if (progress && ++elements % 4096 == 0)
            progress(0);
        const QStringView name = xml.name();
        const QXmlStreamAttributes attributes = xml.attributes();
        const auto number = [&](const char* attribute) {
            return attributes.value(QLatin1StringView(attribute)).toLongLong();
        };
        if (rows < 0) {
            if (name != "ClipboardRange"_L1)
                return std::nullopt;
            rows = number("Rows");
            columns = number("Cols");
            if (rows <= 0 || columns <= 0 || rows > largestXml || columns > largestXml)
                return std::nullopt;
        } else if (name == "Rows"_L1) {
            hidden = &hiddenRows;
        } else if (name == "Cols"_L1) {
            hidden = &hiddenColumns;
        } else if ((name == "RowInfo"_L1 || name == "ColInfo"_L1) && hidden) {
            addHidden(attributes, *hidden);
        } else if (name == "StyleRegion"_L1) {
            Region region{number("startRow"), number("startCol"), number("endRow"),
                          number("endCol"), FormatKind::Number};
            if (xml.readNextStartElement() && xml.name() == "Style"_L1)
                region.kind = formatKind(xml.attributes().value("Format"_L1));
            if (region.kind != FormatKind::Number) {
                if (regions.size() == mostRegions)
                    return std::nullopt;
                regions.push_back(region);
            }
        } else if (name == "Cell"_L1) {
            GnumericCell read{number("Row"), number("Col"), {}, {}};
            if (read.row < 0 || read.row >= rows || read.column < 0 || read.column >= columns)
                return std::nullopt;
            const qsizetype type = number("ValueType");
            read.format = attributes.value("ValueFormat"_L1).toString();
            read.cell.text = xml.readElementText(QXmlStreamReader::SkipChildElements);
            bool ok = false;
            const double value = read.cell.text.toDouble(&ok);
            if ((type == 30 || type == 40) && ok && std::isfinite(value)) {
                read.cell.value = value;
                read.cell.text.clear();
            }
            read.cell.text.truncate(longestCellText);
            cells.push_back(std::move(read));
        }
    }
    if (xml.hasError() || rows < 0 || rows > mostCells(qsizetype(cells.size())) / columns)
        return std::nullopt;

    // The range's grid, rows and columns in the copy's order.
    SheetRows grid(static_cast<std::size_t>(rows),
                   std::vector<SheetCell>(static_cast<std::size_t>(columns)));
    const std::vector<qsizetype> rowsInView = inView(rows, hiddenRows);
    const std::vector<qsizetype> columnsInView = inView(columns, hiddenColumns);
    const std::optional<std::vector<QStringList>> shown =
        shownFields(shownText, qsizetype(rowsInView.size()), qsizetype(columnsInView.size()));
    for (GnumericCell& read : cells) {
        SheetCell& cell = grid[std::size_t(read.row)][std::size_t(read.column)];
        cell = std::move(read.cell);
        if (!cell.value)
            continue;
        FormatKind kind = FormatKind::Number;
        if (!read.format.isEmpty())
            kind = formatKind(read.format);
        else if (const auto region = std::find_if(
                     regions.begin(), regions.end(),
                     [&](const Region& r) { return r.contains(read.row, read.column); });
                 region != regions.end())
            kind = region->kind;
        setValue(cell, *cell.value, kind);
    }
    SheetRows visible(rowsInView.size());
    for (std::size_t row = 0; row < rowsInView.size(); ++row) {
        for (std::size_t column = 0; column < columnsInView.size(); ++column) {
            SheetCell& cell =
                grid[std::size_t(rowsInView[row])][std::size_t(columnsInView[column])];
            if (shown && row < shown->size() && qsizetype(column) < (*shown)[row].size())
                cell.text = (*shown)[row][qsizetype(column)].left(longestCellText);
            visible[row].push_back(std::move(cell));
        }
    }
    return visible;
}
