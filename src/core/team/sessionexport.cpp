// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/sessionexport.h"

#include <QStringEncoder>
#include <algorithm>
#include <charconv>
#include <string_view>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The most bytes a row's numbers, words and separators take beside its cells.
constexpr qsizetype rowRoom = 512;

// Writes a row's fields straight into room made for it ahead, as appending them one by one to
// the file's buffer took most of the time of a million rows.
class RowWriter {
public:
    explicit RowWriter(char* at) : at(at) {}
    char* end() const { return at; }

    void put(char c) { *at++ = c; }
    void put(std::string_view text) { at = std::ranges::copy(text, at).out; }
    // The fewest digits that read back as the very same number, with a '.' whatever the locale.
    template <typename Number> void putNumber(Number value) {
        at = std::to_chars(at, at + 32, value).ptr;
    }

    // Comma-separated fields are quoted as RFC 4180 has it, and only when they must be.
    // Tab-separated text has no quoting a spreadsheet agrees on, so a tab or line end inside a
    // cell, which would split the row, becomes a space there. Both work on the cell's UTF-8, in
    // which these characters are single bytes that no other character's bytes contain. Takes
    // three bytes a character and two more.
    void putCell(QStringView cell, FieldSeparator separator, QStringEncoder& utf8) {
        char* const begin = at;
        at = utf8.appendToBuffer(begin, cell);
        if (separator == FieldSeparator::Tab) {
            std::replace_if(
                begin, at, [](char c) { return c == '\t' || isLineEnd(c); }, ' ');
            return;
        }
        if (std::none_of(begin, at, [](char c) { return c == ',' || c == '"' || isLineEnd(c); }))
            return;
        // Moved right from the back, each quote doubled, with room at both ends for the quotes
        // around it.
        char* to = at + std::count(begin, at, '"') + 2;
        const char* from = at;
        at = to;
        *--to = '"';
        while (from != begin)
            if ((*--to = *--from) == '"')
                *--to = '"';
        *--to = '"';
    }

private:
    char* at;
};

} // namespace

FieldSeparator separatorForFile(QStringView fileName) {
    return fileName.endsWith(u".tsv", Qt::CaseInsensitive) ? FieldSeparator::Tab
                                                           : FieldSeparator::Comma;
}

QByteArray sessionDataText(const SessionTable& table, const Analysis& analysis,
                           FieldSeparator separator, const ProgressReport& progress) {
    const qsizetype N = table.sessionCount();
    Q_ASSERT(qsizetype(analysis.rates().size()) == N && table.cells.size() == 2 * N);
    const char between = separator == FieldSeparator::Tab ? '\t' : ',';
    const QStringList ruleIds = signalRuleIds(analysis.rulesRun());
    QStringList header{u"Session"_s, u"Amount cell"_s, u"Minutes cell"_s, u"Amount"_s,
                       u"Minutes"_s, u"Hours"_s,       u"Rate"_s,         u"Moving range"_s,
                       u"Phase"_s,   u"In baseline"_s, u"Left out"_s};
    for (const QString& id : ruleIds)
        header << u"Rule "_s + id;

    // Room for the cells and typical numbers, so that a million rows are not copied as they grow.
    qsizetype cellCharacters = 0;
    for (qsizetype cell = 0; cell < table.cells.size(); ++cell)
        cellCharacters += table.cells.at(cell).size();
    QByteArray bytes = header.join(QChar::fromLatin1(between)).toUtf8();
    bytes.reserve(bytes.size() + cellCharacters + N * (96 + 2 * ruleIds.size()));
    bytes += "\r\n";

    // Without state, half a surrogate pair that ends one cell is not joined to the next cell.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const std::span<const double> rates = analysis.rates();
    const std::span<const double> ranges = analysis.movingRanges();
    const std::span<const RuleSet> rulesOf = analysis.rulesOfSessions();
    const std::span<const qsizetype> leftOut = analysis.leftOutSessions();
    const RuleSet rulesRun = analysis.rulesRun();
    ProgressSteps steps(progress, N);
    for (qsizetype s = 0; s < N; ++s) {
        const QStringView amountCell = table.cells.at(2 * s),
                          minutesCell = table.cells.at(2 * s + 1);
        const qsizetype start = bytes.size();
        bytes.resize(start + rowRoom + 3 * (amountCell.size() + minutesCell.size() + 4));
        RowWriter row(bytes.data() + start);
        row.putNumber(s + 1);
        for (QStringView cell : {amountCell, minutesCell}) {
            row.put(between);
            row.putCell(cell, separator, utf8);
        }
        const SessionValues& values = table.values[std::size_t(s)];
        // The true length, where the rate divides by at least an hour.
        const double hours = values.minutes / 60;
        for (double number : {values.amount, values.minutes, hours, rates[std::size_t(s)]}) {
            row.put(between);
            row.putNumber(number);
        }
        row.put(between);
        // Moving range j lies between sessions j and j + 1, so the one ending here is s - 1; a
        // phase's first session has none, as the range from the phase before belongs to neither.
        const qsizetype phase = analysis.phaseOf(s);
        if (s > analysis.phases()[std::size_t(phase)].first)
            row.putNumber(ranges[std::size_t(s - 1)]);
        row.put(between);
        row.putNumber(phase + 1);
        for (bool yes : {analysis.inBaseline(s), std::ranges::binary_search(leftOut, s)}) {
            row.put(between);
            row.put(yes ? "yes" : "no");
        }
        for (int rule = 0; rule < signalRuleCount; ++rule)
            if (rulesRun & (1u << rule)) {
                row.put(between);
                row.put((rulesOf[std::size_t(s)] & (1u << rule)) ? '1' : '0');
            }
        row.put("\r\n");
        bytes.truncate(row.end() - bytes.constData());
        steps.at(s);
    }
    return bytes;
}
