// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/style/palette.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QString>
#include <QTest>
#include <QVariant>
#include <QWidget>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

// Picks out a window's control the way a user does by sight: by its control name and, for a
// member of a control array, by its Index. Without an index the first control of that name wins.
template <class Control = QWidget>
Control* findControl(const QWidget& window, const QString& name, int index = -1) {
    const QList<Control*> named = window.findChildren<Control*>(name);
    for (Control* control : named)
        if (index < 0 || control->property("Index").toInt() == index)
            return control;
    return nullptr;
}

// Clicks a control the way a user does, with the left button in its middle.
inline void clickControl(const QWidget& window, const QString& name, int index = -1) {
    QTest::mouseClick(findControl(window, name, index), Qt::LeftButton);
}

// A click the way the user makes it: into the top-level window, where a modal window blocks it.
inline void clickAsUser(QWidget* control) {
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

// A grid read as the user reads it: its rows counting the header row, and the text of a cell,
// row 0 being the header.
inline int gridRowCount(const QAbstractItemView* grid) {
    return grid->model()->rowCount() + 1;
}
inline QString gridCellText(const QAbstractItemView* grid, int row, int column) {
    return row == 0 ? grid->model()->headerData(column, Qt::Horizontal).toString()
                    : grid->model()->index(row - 1, column).data().toString();
}

// A table that keeps a background job busy for a while: a million varied sessions to analyse,
// or three million to paste.
inline void copyLongTable(bool toAnalyse) {
    QGuiApplication::clipboard()->setText(toAnalyse ? u"-1.25\t1:30\n7\t1:30\n"_s.repeated(500'000)
                                                    : u"-1.25\t1:30\n"_s.repeated(3'000'000));
}

// "name(index)" for a member of a control array, the bare name otherwise: readable in failures.
inline QString controlName(const QWidget* control) {
    const int index = control->property("Index").value<int>();
    return control->property("Index").isValid() && index >= 0
               ? u"%1(%2)"_s.arg(control->objectName()).arg(index)
               : control->objectName();
}

// Without a window manager nothing activates a shown window by itself.
inline void showActive(QWidget& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Where focus goes at each press of Tab, starting from `from`.
inline QStringList tabStops(QWidget* from, qsizetype presses) {
    from->setFocus();
    QStringList seen;
    for (qsizetype press = 0; press < presses; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << controlName(QApplication::focusWidget());
    }
    return seen;
}

// The colours the launcher leaves behind on a display that can, or cannot, show the main colour.
inline void usePalette(bool reduced) {
    TavoBAS::ReducedPalette = reduced;
    TavoBAS::InitPalette();
}
