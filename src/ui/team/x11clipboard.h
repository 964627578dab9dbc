// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"
#include "core/team/clipboardoffer.h"

#include <chrono>
#include <optional>

// What the program that owns the clipboard of the X11 display sends of the flavours a paste
// takes: the text, and each of the offer's rich flavours that its list of targets names. Empty
// when no program offers any, nothing when the owner goes silent for `patience` mid-transfer or
// the display cannot be reached. Qt's clipboard waits for the owner on the window's thread; this
// reads on a connection of its own, so a background job can wait instead, asking `progress` (at
// zero) now and then whether to go on.
std::optional<ClipboardOffer> x11ClipboardOffer(const ProgressReport& progress,
                                                std::chrono::milliseconds patience);
