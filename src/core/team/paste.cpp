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

// Reads the fields of one row into the table, and the row's session when it holds two values;
// the refusal of its first bad field, if any.
std::optional<PasteRefusal> readRow(QStringView row, qsizetype rowNumber, const QLocale& locale,
                                    SessionTable& table, qsizetype& values) {
    values = 0;
    double read[2] = {};
    for (qsizetype start = 0; start <= row.size();) {
        qsizetype end = row.indexOf(u'\t', start);
        if (end < 0)
            end = row.size();
        const QStringView field = row.sliced(start, end - start);
        start = end + 1;
        const auto refused = [&](PasteRefusal::Reason reason) {
            const qsizetype kept = std::min(field.size(), longestField + 1);
            return PasteRefusal{reason, rowNumber, values + 1, field.first(kept).toString()};
        };
        const std::optional<double> value = appendCell(field, locale, table.cells);
        if (!value)
            return refused(PasteRefusal::NonNumeric);
        if (const std::optional<double> grouped = groupedReading(field, locale)) {
            PasteRefusal refusal = refused(PasteRefusal::AmbiguousNumber);
            refusal.reading = *value;
            refusal.groupedReading = *grouped;
            return refusal;
        }
        if (values < 2)
            read[values] = *value;
        ++values;
    }
    if (values == 2)
        table.values.push_back({read[0], read[1]});
    return std::nullopt;
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
        qsizetype values = 0;
        if (std::optional<PasteRefusal> refusal =
                readRow(row, rowNumber, cellLocale, table, values))
            return {{}, refusal};
        if (values != 2 && !notTwoColumns)
            notTwoColumns = PasteRefusal{PasteRefusal::NotTwoColumns, rowNumber, 0, {}, values};
        const bool crlf = end + 1 < clipboardText.size() && clipboardText[end] == u'\r' &&
                          clipboardText[end + 1] == u'\n';
        start = end + (crlf ? 2 : 1);
    }
    if (table.cells.size() < 2)
        return {{}, PasteRefusal{PasteRefusal::NotEnoughData, 0, 0, {}}};
    if (notTwoColumns)
        return {{}, notTwoColumns};
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
        return {u"Copy two columns"_s,
                u"the amount won or lost, and the length in minutes; row %1 holds %2 values."_s
                    .arg(refusal.row)
                    .arg(refusal.values)};
    case PasteRefusal::NotEnoughData:
        break;
    }
    return {u"Not enough data"_s, {}};
}
