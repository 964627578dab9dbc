// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/controls/designproperties.h"
#include "ui/controls/texttablemodel.h"

#include <QTableView>

// A read-only data grid whose row 0 is the fixed header row, shown as the horizontal header so it
// stays in place while the body scrolls. Widths are in twips; rows all share one height, which
// keeps a grid of a million rows quick to fill and to scroll.
class FlexGrid : public QTableView, public DesignProperties<FlexGrid> {
    Q_OBJECT
    Q_PROPERTY(int Index READ index WRITE setIndex)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(double FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)

public:
    static constexpr QPalette::ColorRole backColorRole = QPalette::Base;

    // Cell alignments: three steps down within each of three steps across.
    enum Alignment {
        LeftTop = 0,
        LeftCenter = 1,
        LeftBottom = 2,
        CenterTop = 3,
        CenterCenter = 4,
        CenterBottom = 5,
        RightTop = 6,
        RightCenter = 7,
        RightBottom = 8
    };
    Q_ENUM(Alignment)

    explicit FlexGrid(QWidget* parent = nullptr);

    // Column headers separated by "|"; sets the column count.
    void setFormatString(const QString& format);

    // Row counts include the header row: setRows(1) leaves the header alone.
    void setRows(int rows);

    void setColWidth(int col, int twips);
    void setColAlignment(int col, Alignment alignment);
    int widthTwips() const;

    // Replaces every row below the header row.
    void setBody(GridBody body);

    void setStretchLastColumn(bool stretch);

protected:
    void changeEvent(QEvent* event) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

private:
    void fitRowHeightToFont();

    TextTableModel* table;
};
