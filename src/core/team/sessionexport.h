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

// The sessions and what the analysis found in them, as text a spreadsheet opens (UTF-8, with no
// byte-order mark): a header row, then a row for each session, each row ended by CR LF. The
// columns: the session (from 1), its two cells as pasted, its amount, minutes, hours, rate, the
// moving range that ends at it (none at the first session of a phase), its phase (from 1),
// whether it is in its phase's baseline and whether it is left out ("yes" or "no"), then a column
// for each rule that ran, 1 when the session is in one of its firing windows, else 0. Numbers
// have a '.' and no grouping, whatever the locale, and the fewest digits that read back as the
// very same double. The analysis must be that of the table's values. Reports progress every few
// thousand rows; a report that throws stops the export.
QByteArray sessionDataText(const SessionTable& table, const Analysis& analysis,
                           FieldSeparator separator = FieldSeparator::Comma,
                           const ProgressReport& progress = {});
