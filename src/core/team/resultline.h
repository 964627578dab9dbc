// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLatin1StringView>
#include <QString>
#include <span>

// A line of the results list: the message, then the rates of the window as whole dollars per
// hour in parentheses, "Signal 2: ... (10, 20, -30)". With no rates, the message alone.
QString resultLineText(QLatin1StringView message, std::span<const double> rates);
