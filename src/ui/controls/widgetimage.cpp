// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/widgetimage.h"

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

bool saveSvg(QWidget* widget, const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(widget->size());
    svg.setViewBox(widget->rect());
    svg.setTitle(widget->window()->windowTitle());
    return renderOnto(widget, &svg);
}

// A page just the widget's size, a pixel to a point.
bool savePdf(QWidget* widget, const QString& path) {
    QPdfWriter pdf(path);
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
    if (suffix == u"png"_s)
        return widget->grab().save(path, "PNG");
    if (suffix == u"svg"_s)
        return saveSvg(widget, path);
    if (suffix == u"pdf"_s)
        return savePdf(widget, path);
    return false;
}
