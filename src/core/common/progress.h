// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <functional>

// Hears now and then how far a long job has come, as the share done from 0 to 1. It stops the
// job by throwing; a job builds its result apart until it returns, so nothing is left half-made.
using ProgressReport = std::function<void(double shareDone)>;

// Passes on the progress of one loop that makes up part of a job, every few thousand steps.
class ProgressSteps {
public:
    // A loop whose work runs to `total`, covering the job's shares from `from` to `to`.
    ProgressSteps(const ProgressReport& report, qsizetype total, double from = 0, double to = 1)
        : report(report), total(total), from(from), to(to) {}

    // Called at every step with the work done so far.
    void at(qsizetype done) {
        if (++steps % stepsPerReport == 0 && report)
            report(from + (to - from) * double(done) / double(total));
    }

private:
    static constexpr qsizetype stepsPerReport = 4096;
    const ProgressReport& report;
    qsizetype total;
    double from, to;
    qsizetype steps = 0;
};
