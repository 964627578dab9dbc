// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/labelspread.h"

#include <algorithm>
#include <numeric>

namespace {

// Labels stacked without gaps from `top` on.
struct Stack {
    std::size_t first, count;
    double wantedTops; // the sum over its labels of where each would put the stack's top
    double top;

    double bottom(double height) const { return top + double(count) * height; }
};

} // namespace

std::vector<double> spreadLabels(std::span<const double> wanted, double height, double from,
                                 double to) {
    std::vector<std::size_t> order(wanted.size());
    std::iota(order.begin(), order.end(), 0);
    std::ranges::stable_sort(order, {}, [&](std::size_t i) { return wanted[i]; });

    // Where a stack's top best serves its labels, within the room there is.
    const auto settle = [&](Stack& stack) {
        const double best = stack.wantedTops / double(stack.count);
        stack.top = std::max(from, std::min(best, to - stack.bottom(height) + stack.top));
    };
    std::vector<Stack> stacks;
    for (std::size_t k = 0; k < order.size(); ++k) {
        Stack next{k, 1, wanted[order[k]] - height / 2, 0};
        settle(next);
        // A stack that reaches into the one before joins it, as often as that happens.
        while (!stacks.empty() && next.top < stacks.back().bottom(height)) {
            Stack& before = stacks.back();
            before.wantedTops += next.wantedTops - double(next.count * before.count) * height;
            before.count += next.count;
            next = before;
            stacks.pop_back();
            settle(next);
        }
        stacks.push_back(next);
    }

    std::vector<double> centres(wanted.size());
    for (const Stack& stack : stacks)
        for (std::size_t k = 0; k < stack.count; ++k)
            centres[order[stack.first + k]] = stack.top + (double(k) + 0.5) * height;
    return centres;
}
