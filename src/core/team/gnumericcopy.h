// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"
#include "core/team/sheetcopy.h"

#include <QByteArrayView>
#include <QStringView>
#include <optional>

// The cells of a Gnumeric clipboard range ("application/x-gnumeric": XML, or XML compressed with
// gzip), leaving out its hidden rows and columns. Each cell's text is taken from `shownText`,
// the plain-text copy of the same range, when that has the range's rows and columns; otherwise a
// cell with a value shows no text. Nothing for anything else, nor for XML that would grow beyond
// `largestXml` bytes.
std::optional<SheetRows> readGnumericCopy(QByteArrayView data, QStringView shownText,
                                          qsizetype largestXml,
                                          const ProgressReport& progress = {});
