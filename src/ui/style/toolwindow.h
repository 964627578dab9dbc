// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QDialog;

// Gives a tool window its caption, the common icon and a fixed client size in twips, with a
// close box but no minimize or maximize button. Esc does not close it.
void setUpToolWindow(QDialog* window, const QString& caption, int widthTwips, int heightTwips);
