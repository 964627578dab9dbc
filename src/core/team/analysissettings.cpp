// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/analysissettings.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

qsizetype baselineCount(const Phase& phase, const QList<qsizetype>& leftOut) {
    const qsizetype end = phase.lock ? *phase.lock + 1 : phase.first + phase.count;
    return end - phase.first - std::ranges::count_if(leftOut, [&](qsizetype session) {
               return session >= phase.first && session < end;
           });
}

QString problemWith(const AnalysisSettings& settings, qsizetype sessionCount) {
    for (const Phase& phase : phasesOf(settings, sessionCount)) {
        if (phase.count < 2)
            return u"A phase needs at least two sessions"_s;
        if (baselineCount(phase, settings.leftOut) < 2)
            return u"A phase needs at least two sessions in its baseline"_s;
    }
    return {};
}

void insertInOrder(QList<qsizetype>& list, qsizetype session) {
    list.insert(std::ranges::lower_bound(list, session) - list.begin(), session);
}

} // namespace

std::vector<Phase> phasesOf(const AnalysisSettings& settings, qsizetype sessionCount) {
    QList<qsizetype> ends = settings.phaseStarts;
    ends.append(sessionCount);
    std::ranges::sort(ends);
    std::vector<Phase> phases;
    qsizetype first = 0;
    for (qsizetype end : std::as_const(ends)) {
        if (end <= first || end > sessionCount)
            continue;
        Phase phase{first, end - first, {}, {}};
        for (qsizetype lock : settings.locks)
            if (lock >= first && lock < end && (!phase.lock || lock < *phase.lock))
                phase.lock = lock;
        phases.push_back(phase);
        first = end;
    }
    return phases;
}

ChangedSettings changeSettings(const AnalysisSettings& settings, qsizetype sessionCount,
                               SettingsChange change, qsizetype session) {
    const auto refused = [&](const QString& why) {
        return ChangedSettings{settings, why};
    };
    if (session < 0 || session >= sessionCount)
        return refused(u"No such session"_s);
    const std::vector<Phase> phases = phasesOf(settings, sessionCount);
    const auto phase = std::ranges::upper_bound(phases, session, {}, &Phase::first) - 1;
    AnalysisSettings changed = settings;
    switch (change) {
    case SettingsChange::StartPhase:
        if (session == phase->first)
            return refused(u"A phase already begins here"_s);
        insertInOrder(changed.phaseStarts, session);
        break;
    case SettingsChange::RemovePhaseStart:
        if (session == 0)
            return refused(u"The first session always begins a phase"_s);
        if (session != phase->first)
            return refused(u"No phase begins here"_s);
        changed.phaseStarts.removeAll(session);
        if (phase->lock && phase[-1].lock)
            changed.locks.removeAll(*phase->lock);
        break;
    case SettingsChange::LockAfter:
        if (phase->lock == session)
            return refused(u"The baseline already ends here"_s);
        if (phase->lock)
            changed.locks.removeAll(*phase->lock);
        insertInOrder(changed.locks, session);
        break;
    case SettingsChange::Unlock:
        if (!phase->lock)
            return refused(u"The phase is not locked"_s);
        changed.locks.removeAll(*phase->lock);
        break;
    case SettingsChange::LeaveOut:
        if (settings.leftOut.contains(session))
            return refused(u"Already left out"_s);
        insertInOrder(changed.leftOut, session);
        break;
    case SettingsChange::Include:
        if (changed.leftOut.removeAll(session) == 0)
            return refused(u"Not left out"_s);
        break;
    }
    if (const QString problem = problemWith(changed, sessionCount); !problem.isEmpty())
        return refused(problem);
    return {changed, {}};
}
