// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/style/windowstyle.h"

#include "ui/controls/threedcommand.h"
#include "ui/controls/threedoption.h"
#include "ui/controls/threedpanel.h"
#include "ui/controls/twipsgeometry.h"
#include "ui/style/colorvalue.h"
#include "ui/style/fontsubstitutes.h"
#include "ui/style/palette.h"

#include <QWidget>

namespace TavoBAS {

namespace {

constexpr int designTwipsPerPixel = 15;
constexpr int smallFontSize = 6;

void setWindowBackground(QWidget* window, const QColor& colour) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, colour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void styleCommandButton(QWidget* button, int twipsPerPixel) {
    button->setProperty("BackColor", colorFromBgr(MainBackColor));
    if (twipsPerPixel != designTwipsPerPixel) {
        button->setProperty("FontName", smallFontName.toString());
        button->setProperty("FontSize", smallFontSize);
    }
}

// A raised outer bevel over an inset inner one marks a title panel.
bool isTitlePanel(QWidget* control) {
    return qobject_cast<ThreedPanel*>(control) &&
           control->property("BevelOuter").value<ThreedPanel::Bevel>() == ThreedPanel::Raised &&
           control->property("BevelInner").value<ThreedPanel::Bevel>() == ThreedPanel::Inset;
}

} // namespace

void ApplyWindowStyle(QWidget* window) {
    ApplyWindowStyle(window, wholeScreenTwipsPerPixel(window));
}

void ApplyWindowStyle(QWidget* window, int twipsPerPixel) {
    setWindowBackground(window, colorFromBgr(MainBackColor));
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (qobject_cast<ThreedCommand*>(control))
            styleCommandButton(control, twipsPerPixel);
        else if (qobject_cast<ThreedOption*>(control) || qobject_cast<ThreedPanel*>(control))
            control->setProperty("BackColor", colorFromBgr(PanelBackColor));

        if (isTitlePanel(control)) {
            control->setProperty("BackColor", colorFromBgr(MainBackColor));
            control->setProperty("BevelWidth", 0);
        }
    }
}

} // namespace TavoBAS
