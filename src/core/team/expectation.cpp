// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/expectation.h"

#include "core/common/numbertext.h"
#include "core/common/wholenumber.h"

#include <QStringList>
#include <algorithm>
#include <limits>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace {

// Beyond this many records, "once in" says only that it is rarer still: the tail of a normal
// distribution is no guide that far out, nor does a manager need the figure.
constexpr double rarestCounted = 1e9;

std::optional<double> numberIn(const QString& text, const QLocale& locale) {
    return text.trimmed().isEmpty() ? std::nullopt : parseNumber(text, locale);
}

// A length below zero, which only a typing slip gives, plays no time.
double playedMinutes(const SessionValues& session) {
    return std::max(0.0, session.minutes);
}

QString signedText(double value, int decimals, const QLocale& locale) {
    return locale.toString(value, 'f', decimals).replace(u'-', u'−');
}

} // namespace

GameRates ratesPerHundredHands(double evPer100, double sdPer100, double handsPerHour) {
    return {evPer100 * handsPerHour / 100, sdPer100 * std::sqrt(handsPerHour / 100)};
}

GameReading readGame(const GameEntry& entry, const QLocale& locale) {
    GameReading reading;
    const std::optional<double> ev = numberIn(entry.ev, locale);
    const std::optional<double> sd = numberIn(entry.sd, locale);
    const std::optional<double> speed = entry.perHundredHands ? numberIn(entry.speed, locale) : 1.0;
    if (!ev)
        reading.evProblem = u"Enter the win to expect, in dollars"_s;
    if (!sd || *sd <= 0)
        reading.sdProblem = u"Enter a standard deviation above 0"_s;
    if (!speed || *speed <= 0)
        reading.speedProblem = u"Enter the hands played in an hour, above 0"_s;
    if (!reading.evProblem.isEmpty() || !reading.sdProblem.isEmpty() ||
        !reading.speedProblem.isEmpty())
        return reading;
    const GameRates rates =
        entry.perHundredHands ? ratesPerHundredHands(*ev, *sd, *speed) : GameRates{*ev, *sd};
    if (std::isfinite(rates.evPerHour) && std::isfinite(rates.sdPerHour) && rates.sdPerHour > 0)
        reading.rates = rates;
    else
        reading.speedProblem = u"These figures are too large to work with"_s;
    return reading;
}

bool ExpectationFigures::comparable() const {
    return std::isfinite(z);
}

ExpectationFigures expectationFigures(std::span<const SessionValues> sessions, GameRates game) {
    ExpectationFigures figures;
    figures.totals.sessions = qsizetype(sessions.size());
    for (const SessionValues& session : sessions) {
        figures.totals.amount += session.amount;
        figures.totals.minutes += playedMinutes(session);
    }
    const double hours = figures.totals.hours();
    figures.expected = game.evPerHour * hours;
    figures.difference = figures.totals.amount - figures.expected;
    figures.spread = game.sdPerHour * std::sqrt(hours);
    figures.z = figures.spread > 0 ? figures.difference / figures.spread
                                   : std::numeric_limits<double>::quiet_NaN();
    if (figures.comparable())
        figures.chance = std::erfc(std::abs(figures.z) / std::numbers::sqrt2) / 2;
    return figures;
}

QString chanceText(double chance, const QLocale& locale) {
    const double records = 1 / chance;
    return records < rarestCounted
               ? u"1 in %1"_s.arg(locale.toString(roundHalfEven(records), 'f', 0))
               : u"less than 1 in %1"_s.arg(locale.toString(rarestCounted, 'f', 0));
}

QString figuresText(const ExpectationFigures& figures, const QLocale& locale) {
    const SessionTotals& totals = figures.totals;
    QStringList lines{u"%1 sessions, %2 hours"_s.arg(locale.toString(totals.sessions),
                                                     locale.toString(totals.hours(), 'f', 1)),
                      u"Won %1 · expected %2 · difference %3"_s.arg(
                          dollarsText(totals.amount, locale), dollarsText(figures.expected, locale),
                          dollarsText(figures.difference, locale))};
    if (!figures.comparable()) {
        lines.append(totals.hours() > 0 ? u"These sums are too large to compare."_s
                                        : u"No time played: nothing to compare."_s);
        return lines.join(u'\n');
    }
    lines.append(u"%1 standard deviations · chance %2"_s.arg(signedText(figures.z, 2, locale),
                                                             chanceText(figures.chance, locale)));
    if (figures.difference == 0) {
        lines.append(u"Exactly as expected."_s);
        return lines.join(u'\n');
    }
    const double records = 1 / figures.chance;
    const QString often =
        records < rarestCounted
            ? u"about once in %1"_s.arg(locale.toString(roundHalfEven(records), 'f', 0))
            : u"less than once in a billion"_s;
    const bool below = figures.difference < 0;
    // Within one standard deviation lie two records in three: nothing to look into.
    const QString within = std::abs(figures.z) < 1 ? u"well within luck; "_s : QString();
    lines.append(
        u"%1 %2 expectation: %3%4 this large happens by chance %5 records of this length."_s.arg(
            dollarsText(std::abs(figures.difference), locale), below ? u"below"_s : u"above"_s,
            within, below ? u"a shortfall"_s : u"a win"_s, often));
    return lines.join(u'\n');
}

ExpectationPath expectationPath(std::span<const SessionValues> sessions) {
    ExpectationPath path;
    path.hours.reserve(sessions.size() + 1);
    path.won.reserve(sessions.size() + 1);
    path.hours.push_back(0);
    path.won.push_back(0);
    double minutes = 0, won = 0;
    for (const SessionValues& session : sessions) {
        minutes += playedMinutes(session);
        won += session.amount;
        path.hours.push_back(minutes / 60);
        path.won.push_back(won);
    }
    return path;
}
