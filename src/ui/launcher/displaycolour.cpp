// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/launcher/displaycolour.h"

#include <array>
#include <cmath>

namespace {

// Bits per channel, red, green, blue: the depth shared evenly, the spare bits going to green as in
// 5-6-5. A depth of 24 or more keeps every 8-bit channel whole, alpha or not.
std::array<int, 3> channelBits(int depth) {
    const int even = depth / 3;
    return {even, even + depth % 3, even};
}

bool channelSurvives(int value, int bits) {
    if (bits >= 8)
        return true;
    const double levels = (1 << bits) - 1;
    const double quantised = std::round(value * levels / 255.0);
    return std::lround(quantised * 255.0 / levels) == value;
}

} // namespace

bool displayShowsExactly(quint32 colour, int depth) {
    if (depth <= 8)
        return false; // palette-based displays: the colour is not one of their fixed entries
    const std::array<int, 3> bits = channelBits(depth);
    const std::array<int, 3> channels = {int(colour & 0xFF), int((colour >> 8) & 0xFF),
                                         int((colour >> 16) & 0xFF)};
    for (int i = 0; i < 3; ++i)
        if (!channelSurvives(channels[i], bits[i]))
            return false;
    return true;
}
