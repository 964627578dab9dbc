// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QStringView>

// Plain lines as RTF, a paragraph each, which spreadsheets paste as one cell a line: the start
// of the document, a paragraph of any text, and the end.
inline constexpr char rtfStart[] = "{\\rtf1\\ansi\\deff0\n";
inline constexpr char rtfEnd[] = "}";
QByteArray rtfParagraph(QStringView text);
