// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

// Writes the bytes as the file at the path, replacing a file already there only once the new one
// is whole; a folder, pipe or device of that name is left alone. Empty when written, else why not,
// naming the path.
QString saveWholeFile(const QString& path, QByteArrayView contents);
