// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Build-time tool: writes the window icon as the PNG files and the scalable SVG file that the
// desktop's icon theme installs.
#include "ui/style/appicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

namespace {

bool writeSvg(const QString& path) {
    // The drawing's own 64-unit grid, so the SVG holds the icon's coordinates unscaled.
    const QRect grid(0, 0, 64, 64);
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(grid.size());
    svg.setViewBox(grid);
    svg.setTitle(QStringLiteral("Kelvane Extras"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    TavoBAS::paintAppIcon(painter, grid);
    return painter.end();
}

} // namespace

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
    return writeSvg(outputDir.filePath(QStringLiteral("scalable.svg"))) ? 0 : 1;
}
