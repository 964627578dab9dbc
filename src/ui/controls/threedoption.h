// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/controls/designproperties.h"

#include <QRadioButton>

// A 3D option button, one of an array. It stays out of the Tab chain but takes clicks.
class ThreedOption : public QRadioButton, public DesignProperties<ThreedOption> {
    Q_OBJECT
    Q_PROPERTY(int Index READ index WRITE setIndex)
    Q_PROPERTY(bool Value READ value)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(double FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)

public:
    static constexpr QPalette::ColorRole backColorRole = QPalette::Window;

    explicit ThreedOption(QWidget* parent = nullptr);

    bool value() const { return isChecked(); }

protected:
    void focusInEvent(QFocusEvent* event) override;
};
