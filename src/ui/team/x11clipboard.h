// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"

#include <QString>
#include <chrono>
#include <optional>

// The text on the clipboard of the X11 display, as the program that owns it sends it: empty when
// no program offers text, nothing when the owner goes silent for `patience` mid-transfer or the
// display cannot be reached. Qt's clipboard waits for the owner on the window's thread; this reads
// on a connection of its own, so a background job can wait instead, asking `progress` (at zero)
// now and then whether to go on.
std::optional<QString> x11ClipboardText(const ProgressReport& progress,
                                        std::chrono::milliseconds patience);
