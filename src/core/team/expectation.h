// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/sessiontable.h"
#include "core/team/sessiontotals.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

// What the game should give a player in an hour of play: the win to expect, and how far luck
// spreads it.
struct GameRates {
    double evPerHour = 0; // dollars
    double sdPerHour = 1; // dollars; over H hours the spread grows as √H
};

// Rates given per 100 hands, at so many hands an hour.
GameRates ratesPerHundredHands(double evPer100, double sdPer100, double handsPerHour);

// The game as the user typed it; `speed` counts only per 100 hands.
struct GameEntry {
    QString ev, sd, speed;
    bool perHundredHands = false;
};

// The rates an entry gives, or for each field that keeps it from giving any, what is wrong with it.
struct GameReading {
    std::optional<GameRates> rates;
    QString evProblem, sdProblem, speedProblem;
};
GameReading readGame(const GameEntry& entry, const QLocale& locale = QLocale());

// A run of sessions against what the game should have given over its true hours.
struct ExpectationFigures {
    SessionTotals totals;
    double expected = 0;   // EV × hours
    double difference = 0; // won − expected
    double spread = 0;     // the result's standard deviation, SD × √hours
    // How many of those the difference is, and the chance of a result at least that far from
    // expectation on its side; not finite when there is nothing to compare (no hours, or sums
    // beyond a double).
    double z = 0;
    double chance = 0.5;

    bool comparable() const;
};
ExpectationFigures expectationFigures(std::span<const SessionValues> sessions, GameRates game);

// "1 in 171": a chance as one record in so many.
QString chanceText(double chance, const QLocale& locale = QLocale());
// The figures as a team manager reads them, a line each: the hours, what was won against what was
// to be expected, how many standard deviations apart, and in words how often luck alone goes
// that far.
QString figuresText(const ExpectationFigures& figures, const QLocale& locale = QLocale());

// Where a record stands at its start, at 0, and after each of its sessions: the hours played and
// the dollars won so far. Session i ends at point i + 1.
struct ExpectationPath {
    std::vector<double> hours, won;
};
ExpectationPath expectationPath(std::span<const SessionValues> sessions);

// The edge of the band k standard deviations from expectation after `hours` of play; k < 0 gives
// the lower edge.
inline double bandEdge(GameRates game, double hours, double k) {
    return game.evPerHour * hours + k * game.sdPerHour * std::sqrt(hours);
}
