// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/nrs/calcnrs.h"

#include <cfloat>
#include <limits>

// The figures shown depend on where the roundings to float fall: each expression is worked out
// in double from float operands, then rounded once as it is stored, and later steps read the
// stored float. Named double temporaries and explicit float casts keep that order visible.
// Nothing may round less often: x86-64 SSE keeps no excess precision (asserted below), and this
// file is built with -ffp-contract=off so that no target fuses a product and a sum into an FMA.
static_assert(FLT_EVAL_METHOD == 0, "expressions must be evaluated in their own type");
static_assert(std::numeric_limits<float>::is_iec559, "overflow and 0/0 must give inf and NaN");

SituationRows rowsShownFor(Situation situation) {
    static constexpr SituationRows rows[] = {
        {false, true, false}, {true, true, true}, {true, false, false}};
    return rows[int(situation)];
}

NrsResult CalcNRS(float k, float q, float d, float b, Situation situation) {
    const SituationRows used = rowsShownFor(situation);
    if (!used.trackZone)
        k = 0;
    if (!used.slug)
        b = 0;

    const double shoeLessSlug = double(d) - double(b);
    d = static_cast<float>(shoeLessSlug);

    const double numerator = double(q) * double(q) * (double(d) - double(k));
    const double playLessTrack = double(q) - double(k);
    const double shoeLessTrack = double(d) - double(k);
    const double denominator = playLessTrack * playLessTrack + shoeLessTrack * double(k);
    const float n = static_cast<float>(numerator / denominator);

    const double untrackedPlayShare = playLessTrack / shoeLessTrack;
    float r = static_cast<float>(double(n) / double(q) * -1.0 * (1.0 - untrackedPlayShare));

    const float f = static_cast<float>(playLessTrack / (double(d) - double(q)));

    if (situation == Situation::CutPoorSlugOut)
        r = static_cast<float>(-double(r) * double(f));
    return {n, r, f};
}
