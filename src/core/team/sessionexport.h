// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"
#include "core/team/analysis.h"
#include "core/team/sessiontable.h"

#include <QByteArray>
#include <QStringView>

enum class FieldSeparator { Comma, Tab };

// Tab for a name ending in ".tsv", in any case; comma for any other.
FieldSeparator separatorForFile(QStringView fileName);

// The sessions and what the analysis found in them, as UTF-8 text a spreadsheet opens: a header
// row, then a row for each session, each row ended by CR LF. The columns: the session (from 1),
// its two cells as pasted, its amount, minutes, hours, rate, the moving range that ends at it,
// its phase (from 1), whether it is in its phase's baseline and whether it is left out ("yes" or
// "no"), then a column for each rule that ran, 1 when the session is in one of its firing
// windows, else 0. Numbers are written in the C locale, in the fewest digits that read back as
// the very same double. The analysis must be that of the table's values.
QByteArray sessionDataText(const SessionTable& table, const Analysis& analysis,
                           FieldSeparator separator = FieldSeparator::Comma,
                           const ProgressReport& progress = {});
