// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/widgetimage.h"

#include "core/common/savedfile.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

bool renderOnto(QWidget* widget, QPaintDevice* device) {
    QPainter painter;
    if (!painter.begin(device))
        return false;
    widget->render(&painter, {}, {}, QWidget::DrawChildren);
    return painter.end();
}

bool writePng(QWidget* widget, QIODevice* file) {
    return widget->grab().save(file, "PNG");
}

bool writeSvg(QWidget* widget, QIODevice* file) {
    QSvgGenerator svg;
    svg.setOutputDevice(file);
    svg.setSize(widget->size());
    svg.setViewBox(widget->rect());
    svg.setTitle(widget->window()->windowTitle());
    return renderOnto(widget, &svg);
}

// A page just the widget's size, a pixel to a point.
bool writePdf(QWidget* widget, QIODevice* file) {
    QPdfWriter pdf(file);
    pdf.setTitle(widget->window()->windowTitle());
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(widget->size(), QPageSize::Point));
    pdf.setPageMargins({});
    return renderOnto(widget, &pdf);
}

} // namespace

void copyWidgetImage(QWidget* widget) {
    QGuiApplication::clipboard()->setImage(widget->grab().toImage());
}

bool saveWidgetImage(QWidget* widget, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const auto write = suffix == u"png"_s   ? writePng
                       : suffix == u"svg"_s ? writeSvg
                       : suffix == u"pdf"_s ? writePdf
                                            : nullptr;
    if (!write)
        return false;
    // Made whole in memory first: the SVG and PDF writers carry on past a write the disk took
    // only part of, and the PNG writer leaks what it holds when its device fails.
    QByteArray picture;
    QBuffer buffer(&picture);
    return buffer.open(QIODevice::WriteOnly) && write(widget, &buffer) &&
           saveWholeFile(path, picture).isEmpty();
}
