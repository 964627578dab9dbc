// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

// Puts a picture of the widget on the clipboard.
void copyWidgetImage(QWidget* widget);

// Writes a picture of the widget as PNG, SVG or PDF, by the file's suffix; SVG and PDF keep
// lines and text as vectors. A file already there is replaced only by a whole picture; a folder,
// pipe or device of that name is left alone. False when nothing was written: the suffix is none
// of these, the name is not a file's, or the writing failed.
bool saveWidgetImage(QWidget* widget, const QString& path);
