// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLatin1StringView>

// The help beside the session grid: eight lines, each ended by CR LF.
inline constexpr QLatin1StringView teamInstructions(
    "To use:\r\n"
    "\r\n"
    "Using a spreadsheet program, create two columns. Each row is a separate session. The \r\n"
    "first column is the gain or loss in dollars. The second column is the length of the session "
    "\r\n"
    "in minutes. Select the data and copy to the clipboard. Then hit Paste below.\r\n"
    "\r\n"
    "If the data appears correctly at the left, hit Analyze below. The warnings will appear \r\n"
    "at the bottom. See the book for more info.\r\n");
