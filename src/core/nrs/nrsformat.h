// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/nrs/calcnrs.h"

#include <QLocale>
#include <QString>
#include <QStringView>

// Reads the four typed fields in the user's notation; a field that is empty, not a number or
// beyond the float range counts as 0.
NrsInputs readNrsInputs(QStringView k, QStringView q, QStringView d, QStringView b,
                        const QLocale& locale = QLocale());

// Shows a result as "####0.000": at least one integer digit, three decimals, no grouping, the
// locale's decimal separator and minus sign. Infinities show as "∞" and "-∞", NaN as "undefined".
QString formatNrsResult(float value, const QLocale& locale = QLocale());
