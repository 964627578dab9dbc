// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/flexgrid.h"

#include "ui/controls/designfont.h"
#include "ui/controls/twipsgeometry.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <array>

namespace {

// Room above and below the text of a row.
constexpr int rowTextPadding = 3;

Qt::Alignment qtAlignment(FlexGrid::Alignment alignment) {
    static constexpr std::array<Qt::AlignmentFlag, 3> across{Qt::AlignLeft, Qt::AlignHCenter,
                                                             Qt::AlignRight};
    static constexpr std::array<Qt::AlignmentFlag, 3> down{Qt::AlignTop, Qt::AlignVCenter,
                                                           Qt::AlignBottom};
    return across[alignment / 3] | down[alignment % 3];
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), table(new TextTableModel(this)) {
    setModel(table);
    setFont(designFont());
    setEditTriggers(NoEditTriggers);
    setWordWrap(false);
    // Tab leaves the grid for the next control instead of walking its cells.
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    // No fixed column, and one height for all rows: a per-row header would make huge grids slow.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    fitRowHeightToFont();
}

void FlexGrid::setFormatString(const QString& format) {
    table->setHeaders(format.split(u'|'));
}

void FlexGrid::setRows(int rows) {
    table->setBodyRowCount(rows - 1);
}

void FlexGrid::setColWidth(int col, int twips) {
    setColumnWidth(col, twipsToWidgetPixels(this, twips));
}

void FlexGrid::setColAlignment(int col, Alignment alignment) {
    table->setColumnAlignment(col, qtAlignment(alignment));
}

int FlexGrid::widthTwips() const {
    return widthInTwips(this);
}

void FlexGrid::setBody(GridBody body) {
    table->setBody(std::move(body));
}

void FlexGrid::setStretchLastColumn(bool stretch) {
    horizontalHeader()->setStretchLastSection(stretch);
}

void FlexGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowHeightToFont();
}

// Qt makes new model indexes for every range to find its rectangle, even for ranges far out of
// sight, which for tens of thousands of separate runs of rows takes longer than the user waits.
// Only rows in sight can need repainting, and where a range's rows are is quick to tell.
QRegion FlexGrid::visualRegionForSelection(const QItemSelection& selection) const {
    QItemSelection inSight;
    for (const QItemSelectionRange& range : selection)
        if (rowViewportPosition(range.bottom()) + rowHeight(range.bottom()) > 0 &&
            rowViewportPosition(range.top()) < viewport()->height())
            inSight.append(range);
    return QTableView::visualRegionForSelection(inSight);
}

void FlexGrid::fitRowHeightToFont() {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + rowTextPadding);
}
