// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/common/savedfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

QString saveWholeFile(const QString& path, QByteArrayView contents) {
    const QString shownPath = QDir::toNativeSeparators(path);
    // Only a file is replaced: renamed over a pipe or device, the new file would take its place,
    // and writing into a pipe instead would wait for a reader for ever.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return u"%1 is not a file, so it was left as it was."_s.arg(shownPath);
    // A new file that replaces the old one only once whole, so that a failure part way, as on
    // a full disk, leaves the old one as it was. Unbuffered, a short write shows in the count
    // written: the commit would miss one it meets only while flushing its buffer.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(contents.data(), contents.size()) == contents.size() && file.commit())
        return {};
    return u"%1 could not be written: %2"_s.arg(shownPath, file.errorString());
}
