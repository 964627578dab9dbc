// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"
#include "core/team/sheetcopy.h"

#include <QByteArrayView>
#include <optional>

// The cells of the first table of an HTML copy (UTF-8) that carries exact values: each cell's
// "sdval" attribute and, in "sdnum", the locale and format code it was displayed with. Nothing
// for HTML whose cells carry no value, as from programs that copy only what they show. Rows and
// columns left out of the copy were hidden or filtered out of view.
std::optional<SheetRows> readHtmlCopy(QByteArrayView html, const ProgressReport& progress = {});
