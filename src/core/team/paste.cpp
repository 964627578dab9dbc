// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/paste.h"

#include "core/common/numbertext.h"
#include "core/team/duration.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The longest field a message quotes in full.
constexpr qsizetype quotedFieldLength = 40;

// Finds the line ends of a text in one pass for CR and one for LF, each with Qt's fast search for
// a single character, even where a row is millions of characters long.
class LineEnds {
public:
    explicit LineEnds(QStringView text) : text(text) {}

    // The first line end at or after `position`; the text's end when there is none.
    qsizetype nextFrom(qsizetype position) {
        return std::min(next(u'\r', cr, position), next(u'\n', lf, position));
    }

private:
    qsizetype next(char16_t end, qsizetype& found, qsizetype from) const {
        if (found < from) {
            found = text.indexOf(QChar(end), from);
            if (found < 0)
                found = text.size();
        }
        return found;
    }

    QStringView text;
    qsizetype cr = -1;
    qsizetype lf = -1;
};

// Longer fields are refused unread: no number needs so many characters, and reading a field of
// millions would take seconds.
constexpr qsizetype longestField = 1000;

// Adds the text a field leaves in the grid, durations as minutes and anything else as typed,
// and gives the field's value. Nothing for a field that is neither a number nor a duration.
std::optional<double> appendCell(QStringView field, const QLocale& locale, CellTexts& cells) {
    if (field.size() > longestField)
        return std::nullopt;
    if (field.contains(u':')) {
        const std::optional<double> minutes = durationMinutes(field, locale);
        if (minutes)
            cells.append(locale.toString(*minutes, 'f', QLocale::FloatingPointShortest));
        return minutes;
    }
    const std::optional<double> number = parseNumber(field, locale);
    if (number)
        cells.append(field);
    return number;
}

// Reads the fields of one row into the table, one at a time, and the row's session when it holds
// two values.
class RowReader {
public:
    RowReader(qsizetype rowNumber, const QLocale& locale, SessionTable& table)
        : rowNumber(rowNumber), locale(locale), table(table) {}

    // A field read from its text; the refusal of it, if it is bad.
    std::optional<PasteRefusal> field(QStringView text) {
        const auto refused = [&](PasteRefusal::Reason reason) {
            const qsizetype kept = std::min(text.size(), longestField + 1);
            return PasteRefusal{reason, rowNumber, values + 1, text.first(kept).toString()};
        };
        const std::optional<double> value = appendCell(text, locale, table.cells);
        if (!value)
            return refused(PasteRefusal::NonNumeric);
        if (const std::optional<double> grouped = groupedReading(text, locale)) {
            PasteRefusal refusal = refused(PasteRefusal::AmbiguousNumber);
            refusal.reading = *value;
            refusal.groupedReading = *grouped;
            return refusal;
        }
        add(*value);
        return std::nullopt;
    }

    // A field whose value the copy carries. The grid shows it as the sheet did, unless that text
    // reads as another number (a hidden sign, a scaled display): the user sees what is analysed.
    void exact(QStringView shown, double value) {
        if (parseNumber(shown, locale) == value)
            table.cells.append(shown);
        else
            table.cells.append(locale.toString(value, 'f', QLocale::FloatingPointShortest));
        add(value);
    }

    // Takes the row's session when it holds two values; otherwise keeps the refusal of the first
    // such row, which is given once the whole table has been read.
    void finish(std::optional<PasteRefusal>& notTwoColumns) {
        if (values == 2)
            table.values.push_back({read[0], read[1]});
        else if (!notTwoColumns)
            notTwoColumns = PasteRefusal{PasteRefusal::NotTwoColumns, rowNumber, 0, {}, values};
    }

private:
    void add(double value) {
        if (values < 2)
            read[values] = value;
        ++values;
    }

    qsizetype rowNumber;
    const QLocale& locale;
    SessionTable& table;
    qsizetype values = 0;
    double read[2] = {};
};

// Reads the fields of one row of text, cut at TAB.
std::optional<PasteRefusal> readRow(QStringView row, RowReader& reader) {
    for (qsizetype start = 0; start <= row.size();) {
        qsizetype end = row.indexOf(u'\t', start);
        if (end < 0)
            end = row.size();
        if (std::optional<PasteRefusal> refusal = reader.field(row.sliced(start, end - start)))
            return refusal;
        start = end + 1;
    }
    return std::nullopt;
}

// Reads the cells of one row of a spreadsheet's own copy: a duration's minutes or an amount where
// the copy carries the cell's value, the text where it does not.
std::optional<PasteRefusal> readRow(const std::vector<SheetCell>& row, qsizetype columns,
                                    RowReader& reader) {
    for (qsizetype column = 0; column < columns; ++column) {
        const SheetCell& cell = row[std::size_t(column)];
        if (!cell.value) {
            if (std::optional<PasteRefusal> refusal = reader.field(cell.text))
                return refusal;
        } else if (cell.time) {
            reader.exact(QString(), dayFractionMinutes(*cell.value));
        } else {
            reader.exact(cell.text, *cell.value);
        }
    }
    return std::nullopt;
}

// The one refusal of a table that was read whole: too little of it, or a row not of two values.
std::optional<PasteRefusal> refusalOfTable(const SessionTable& table,
                                           const std::optional<PasteRefusal>& notTwoColumns) {
    if (table.cells.size() < 2)
        return PasteRefusal{PasteRefusal::NotEnoughData, 0, 0, {}};
    return notTwoColumns;
}

bool isBlankCell(const SheetCell& cell) {
    return !cell.value && cell.text.trimmed().isEmpty();
}

// A selection can reach past the table: blank rows below it and blank columns beside it are no
// part of it, as in the copy's plain text.
qsizetype usedRows(const SheetRows& rows) {
    qsizetype used = qsizetype(rows.size());
    while (used > 0 && std::all_of(rows[std::size_t(used - 1)].begin(),
                                   rows[std::size_t(used - 1)].end(), isBlankCell))
        --used;
    return used;
}

qsizetype usedColumns(const std::vector<SheetCell>& row) {
    qsizetype used = qsizetype(row.size());
    while (used > 0 && isBlankCell(row[std::size_t(used - 1)]))
        --used;
    return used;
}

// Room for the whole text, so that filling it never copies: at most one cell a separator, and
// fewer characters than the text. A session a row, and rows end alike in all but mixed texts.
// Counted a block at a time, hearing progress between blocks, so that a cancel is not kept
// waiting by a text of hundreds of megabytes.
void reserveTable(QStringView text, SessionTable& table, const ProgressReport& progress) {
    constexpr qsizetype blockSize = 1 << 16;
    qsizetype tabs = 0, crs = 0, lfs = 0;
    for (qsizetype start = 0; start < text.size(); start += blockSize) {
        for (QChar c : text.sliced(start, std::min(blockSize, text.size() - start))) {
            // without branches, so that the compiler can vectorise it
            tabs += int(c == u'\t');
            crs += int(c == u'\r');
            lfs += int(c == u'\n');
        }
        if (progress)
            progress(0);
    }
    table.cells.reserve(tabs + crs + lfs + 1, text.size());
    table.values.reserve(std::size_t(std::max(crs, lfs) + 1));
}

QString quoted(const QString& field) {
    if (field.size() <= quotedFieldLength)
        return u"“%1”"_s.arg(field);
    return u"“%1…”"_s.arg(field.first(quotedFieldLength - 1));
}

} // namespace

PasteOutcome pasteSessions(QStringView clipboardText, const QLocale& locale,
                           const ProgressReport& progress) {
    // Minutes written back into the grid must read as one number in this same locale.
    QLocale cellLocale = locale;
    cellLocale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);

    PasteOutcome outcome;
    SessionTable& table = outcome.sessions;
    reserveTable(clipboardText, table, progress);
    ProgressSteps steps(progress, clipboardText.size());
    std::optional<PasteRefusal> notTwoColumns;
    qsizetype rowNumber = 0;
    LineEnds lineEnds(clipboardText);
    for (qsizetype start = 0; start < clipboardText.size();) {
        const qsizetype end = lineEnds.nextFrom(start);
        const QStringView row = clipboardText.sliced(start, end - start);
        if (end == clipboardText.size() && row.trimmed().isEmpty())
            break; // blanks behind the last line end
        ++rowNumber;
        steps.at(start);
        RowReader reader(rowNumber, cellLocale, table);
        if (std::optional<PasteRefusal> refusal = readRow(row, reader))
            return {{}, refusal};
        reader.finish(notTwoColumns);
        const bool crlf = end + 1 < clipboardText.size() && clipboardText[end] == u'\r' &&
                          clipboardText[end + 1] == u'\n';
        start = end + (crlf ? 2 : 1);
    }
    if (std::optional<PasteRefusal> refusal = refusalOfTable(table, notTwoColumns))
        return {{}, refusal};
    return outcome;
}

PasteOutcome pasteSheet(const SheetRows& rows, const QLocale& locale,
                        const ProgressReport& progress) {
    QLocale cellLocale = locale;
    cellLocale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);

    PasteOutcome outcome;
    SessionTable& table = outcome.sessions;
    const qsizetype rowCount = usedRows(rows);
    // Blank cells right of the table in every row are beside it; in only some rows, they are
    // fields the user copied.
    qsizetype widest = 0;
    for (qsizetype row = 0; row < rowCount; ++row)
        widest = std::max(widest, usedColumns(rows[std::size_t(row)]));
    ProgressSteps steps(progress, rowCount);
    std::optional<PasteRefusal> notTwoColumns;
    for (qsizetype row = 0; row < rowCount; ++row) {
        steps.at(row);
        const std::vector<SheetCell>& cells = rows[std::size_t(row)];
        RowReader reader(row + 1, cellLocale, table);
        if (std::optional<PasteRefusal> refusal =
                readRow(cells, std::min(qsizetype(cells.size()), widest), reader))
            return {{}, refusal};
        reader.finish(notTwoColumns);
    }
    if (std::optional<PasteRefusal> refusal = refusalOfTable(table, notTwoColumns))
        return {{}, refusal};
    return outcome;
}

PasteMessage pasteMessage(const PasteRefusal& refusal, const QLocale& locale) {
    const QString where = u"Row %1, column %2: "_s.arg(refusal.row).arg(refusal.column);
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const auto number = [&plain](double value) {
        return plain.toString(value, 'f', QLocale::FloatingPointShortest);
    };
    switch (refusal.reason) {
    case PasteRefusal::NonNumeric:
        return {u"Non-numeric character"_s, where + quoted(refusal.field) + u'.'};
    case PasteRefusal::AmbiguousNumber:
        return {u"Ambiguous number"_s,
                where + u"%1 reads as %2 here, but means %3 where “%4” separates thousands."_s.arg(
                            quoted(refusal.field), number(refusal.reading),
                            number(refusal.groupedReading), locale.decimalPoint())};
    case PasteRefusal::NotTwoColumns:
        return {
            u"Copy two columns"_s,
            u"the amount won or lost, and the length in minutes; row %1 holds %2."_s
                .arg(refusal.row)
                .arg(refusal.values == 1 ? u"one value"_s : u"%1 values"_s.arg(refusal.values))};
    case PasteRefusal::NotEnoughData:
        break;
    }
    return {u"Not enough data"_s, {}};
}
