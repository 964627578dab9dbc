// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The non-random-shuffle arithmetic: from the track zone k, the play zone q, the shoe d and
// the slug outside the play zone b (all in one unit, cards or decks) it gives the pseudo-decks
// n, the multiplier r and the adjustment f.

enum class Situation { CutPoorSlugOut = 0, CutRichSlugToMiddle = 1, CutRichSlugToTop = 2 };

struct NrsInputs {
    float k = 0, q = 0, d = 0, b = 0;
};

struct NrsResult {
    float n, r, f;
};

// What a situation uses, and so which rows the calculator shows for it.
struct SituationRows {
    bool trackZone;  // k: cutting the poor slug out leaves no track zone
    bool slug;       // b: cutting the rich slug to the top leaves no slug
    bool adjustment; // f: shown apart from r only when the rich slug goes to the middle
};

SituationRows rowsShownFor(Situation situation);

// Inputs the situation does not use count as 0. Never fails: a zero divisor gives an infinite or
// not-a-number result and the rest goes on.
NrsResult CalcNRS(float k, float q, float d, float b, Situation situation);
