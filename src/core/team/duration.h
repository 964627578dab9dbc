// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QStringView>
#include <optional>

// A session length written as a clock time, as minutes: H:MM or H:MM:SS (any number of hour
// digits, minutes and seconds 00 to 59), or the same with hours 1 to 12 and, after one blank, the
// locale's AM or PM designator or "AM" / "PM" in any case. Any other text gives no value.
std::optional<double> durationMinutes(QStringView text, const QLocale& locale = QLocale());
