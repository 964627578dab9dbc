// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/controls/designproperties.h"

#include <QAbstractButton>

class QBoxLayout;

// A 3D push button: the button face with a centred black caption whose "&" marks the access key.
class ThreedCommand : public QAbstractButton, public DesignProperties<ThreedCommand> {
    Q_OBJECT
    Q_PROPERTY(int Index READ index WRITE setIndex)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(double FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)

public:
    static constexpr QPalette::ColorRole backColorRole = QPalette::Window;

    explicit ThreedCommand(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Every push button of the windows is this high, and most are this wide.
inline constexpr int commandButtonWidthTwips = 1200;
inline constexpr int commandButtonHeightTwips = 390;

// A push button as the windows are designed with it: named, bold caption, placed in twips.
ThreedCommand* addCommandButton(QWidget* parent, const QString& name, const QString& caption,
                                int left, int top, int width = commandButtonWidthTwips);

// The same button, unnamed, at the end of a row that lays it out; it keeps its design size while
// the row grows.
ThreedCommand* addCommandButton(QBoxLayout* row, const QString& caption,
                                int width = commandButtonWidthTwips);
