// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/sessionexport.h"

#include <QStringEncoder>
#include <algorithm>
#include <charconv>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Comma-separated fields are quoted as RFC 4180 has it, and only when they must be. Tab-separated
// text has no quoting a spreadsheet agrees on, so a tab or line end inside a cell, which would
// split the row, becomes a space there. Both work on the cell's UTF-8, in which these characters
// are single bytes that no other character's bytes contain.
void appendCell(QByteArray& bytes, QStringView cell, FieldSeparator separator,
                QStringEncoder& utf8) {
    const qsizetype start = bytes.size();
    bytes.resize(start + utf8.requiredSpace(cell.size()));
    bytes.truncate(utf8.appendToBuffer(bytes.data() + start, cell) - bytes.constData());
    const auto field = std::span(bytes.data() + start, std::size_t(bytes.size() - start));
    if (separator == FieldSeparator::Tab) {
        std::ranges::replace_if(
            field, [](char c) { return c == '\t' || isLineEnd(c); }, ' ');
        return;
    }
    if (std::ranges::none_of(field, [](char c) { return c == ',' || c == '"' || isLineEnd(c); }))
        return;
    const QByteArray unquoted(field.data(), qsizetype(field.size()));
    bytes.truncate(start);
    bytes += '"';
    for (char c : unquoted) {
        if (c == '"')
            bytes += '"';
        bytes += c;
    }
    bytes += '"';
}

// The fewest digits that read back as the very same number, with a '.' whatever the locale;
// without an allocation, which a million rows of numbers would otherwise spend most time on.
template <typename Number> void appendNumber(QByteArray& bytes, Number value) {
    char digits[32];
    bytes.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
}

const char* yesNo(bool yes) {
    return yes ? "yes" : "no";
}

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

    QStringEncoder utf8(QStringEncoder::Utf8);
    const std::span<const double> rates = analysis.rates();
    const std::span<const double> ranges = analysis.movingRanges();
    const std::span<const RuleSet> rulesOf = analysis.rulesOfSessions();
    const std::span<const qsizetype> leftOut = analysis.leftOutSessions();
    const RuleSet rulesRun = analysis.rulesRun();
    ProgressSteps steps(progress, N);
    for (qsizetype s = 0; s < N; ++s) {
        const SessionValues& values = table.values[std::size_t(s)];
        const qsizetype phase = analysis.phaseOf(s);
        appendNumber(bytes, s + 1);
        for (qsizetype cell : {2 * s, 2 * s + 1}) {
            bytes += between;
            appendCell(bytes, table.cells.at(cell), separator, utf8);
        }
        // The true length, where the rate divides by at least an hour.
        const double hours = values.minutes / 60;
        for (double number : {values.amount, values.minutes, hours, rates[std::size_t(s)]}) {
            bytes += between;
            appendNumber(bytes, number);
        }
        bytes += between;
        // Moving range j lies between sessions j and j + 1, so the one ending here is s - 1; a
        // phase's first session has none, as the range from the phase before belongs to neither.
        if (s > analysis.phases()[std::size_t(phase)].first)
            appendNumber(bytes, ranges[std::size_t(s - 1)]);
        bytes += between;
        appendNumber(bytes, phase + 1);
        bytes += between;
        bytes += yesNo(analysis.inBaseline(s));
        bytes += between;
        bytes += yesNo(std::ranges::binary_search(leftOut, s));
        for (int rule = 0; rule < signalRuleCount; ++rule)
            if (rulesRun & (1u << rule)) {
                bytes += between;
                bytes += (rulesOf[std::size_t(s)] & (1u << rule)) ? '1' : '0';
            }
        bytes += "\r\n";
        steps.at(s);
    }
    return bytes;
}
