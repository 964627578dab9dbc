// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Build-time tool: writes the window icon as the PNG files the desktop's icon theme installs.
#include "style/appicon.h"

#include <QDir>
#include <QGuiApplication>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QDir outputDir(QString::fromLocal8Bit(argv[1]));
    const QStringList sizes = QString::fromLocal8Bit(argv[2]).split(u';');
    for (const QString& size : sizes) {
        const QString path = outputDir.filePath(size + QStringLiteral(".png"));
        if (!TavoBAS::appIconPixmap(size.toInt()).save(path))
            return 1;
    }
    return 0;
}
