// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The text to print when the command line (program name first) asks for the usage or the
// version, or nothing when the windows are to open. Read before QApplication exists, so that
// both answer without a display; Qt's own options are left to QApplication, and unknown options
// and arguments are ignored.
std::optional<QString> commandLineAnswer(const QStringList& arguments);
