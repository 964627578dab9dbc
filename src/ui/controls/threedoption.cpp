// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/threedoption.h"

#include "ui/controls/designfont.h"

ThreedOption::ThreedOption(QWidget* parent) : QRadioButton(parent) {
    // Out of the Tab chain, yet a mouse click still selects it.
    setFocusPolicy(Qt::ClickFocus);
    // Buttons fill with the Button role by default; BackColor is kept in Window.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    setFont(designFont());
}

void ThreedOption::focusInEvent(QFocusEvent* event) {
    QRadioButton::focusInEvent(event);
    // Qt makes a focused exclusive button a Tab stop; this one stays out of the chain.
    setFocusPolicy(Qt::ClickFocus);
}
