// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/sessiontotals.h"

SessionTotals totalsOf(std::span<const SessionValues> sessions) {
    SessionTotals totals;
    totals.sessions = qsizetype(sessions.size());
    for (const SessionValues& session : sessions) {
        totals.amount += session.amount;
        totals.minutes += session.minutes;
    }
    return totals;
}
