// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/style/toolwindow.h"

#include "ui/controls/twipsgeometry.h"
#include "ui/style/appicon.h"

#include <QDialog>
#include <QShortcut>

void setUpToolWindow(QDialog* window, const QString& caption, int widthTwips, int heightTwips) {
    window->setWindowTitle(caption);
    window->setWindowIcon(TavoBAS::appIcon());
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(twipsToSize(window, widthTwips, heightTwips));
    // The tools have no Cancel: Esc, which a dialog takes for one, does nothing here.
    new QShortcut(QKeySequence(Qt::Key_Escape), window);
}
