// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

// Puts a picture of the widget on the clipboard.
void copyWidgetImage(QWidget* widget);

// Writes a picture of the widget as PNG, SVG or PDF, by the file's suffix; SVG and PDF keep
// lines and text as vectors. False when the file cannot be written or the suffix is none of these.
bool saveWidgetImage(QWidget* widget, const QString& path);
