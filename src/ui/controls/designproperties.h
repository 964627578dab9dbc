// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

// The run-time properties every designed control shares: its index in a control array and the
// font and background colour that the window styling sets by name. A control mixes this in and
// declares the Q_PROPERTYs, naming its own palette role for the background as `backColorRole`.
template <class Control> class DesignProperties {
public:
    int index() const { return arrayIndex; }
    void setIndex(int index) { arrayIndex = index; }

    QString fontName() const { return control()->font().family(); }
    void setFontName(const QString& name) {
        changeFont([&](QFont& f) { f.setFamily(name); });
    }

    double fontSize() const { return control()->font().pointSizeF(); }
    // Qt refuses sizes of zero or less with a warning; such a size leaves the font as it is.
    void setFontSize(double points) {
        if (points > 0)
            changeFont([&](QFont& f) { f.setPointSizeF(points); });
    }

    bool fontBold() const { return control()->font().bold(); }
    void setFontBold(bool bold) {
        changeFont([&](QFont& f) { f.setBold(bold); });
    }

    QColor backColor() const { return control()->palette().color(Control::backColorRole); }
    void setBackColor(const QColor& colour) {
        QPalette palette = control()->palette();
        palette.setColor(Control::backColorRole, colour);
        control()->setPalette(palette);
    }

private:
    const Control* control() const { return static_cast<const Control*>(this); }
    Control* control() { return static_cast<Control*>(this); }

    template <class Change> void changeFont(Change change) {
        QFont font = control()->font();
        change(font);
        control()->setFont(font);
    }

    int arrayIndex = -1;
};
