// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>

class QWidget;
class ThreedPanel;

// Ctrl+C anywhere in the window copies what `text` gives, as plain text; a field of the window
// with text selected keeps Ctrl+C for its selection. An empty text leaves the clipboard alone.
void addWindowCopyKey(QWidget* window, std::function<QString()> text);

// A "Copy" context menu that copies the panel's whole caption, also while it shows "###".
void addCopyMenu(ThreedPanel* panel);
