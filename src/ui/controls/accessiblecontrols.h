// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Lets screen readers read the designed controls as the platform controls they stand in for: a
// panel as static text, the push and option buttons as buttons with their captions, access keys
// and states. Call once at program start; the grids keep what Qt gives any table view.
void installAccessibleControls();
