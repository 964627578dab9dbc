// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QTimer>
#include <functional>

// The body of a grid: how many rows it has and the text of any of its cells, asked for only when
// a cell is shown or copied, so that a body of millions of rows costs the grid nothing per row.
struct GridBody {
    int rows = 0;
    std::function<QString(int row, int column)> text;
};

// A read-only table of texts: one header text per column over a body.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TextTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // New columns with these header texts; the body keeps its row count, its cells emptied.
    void setHeaders(const QList<QString>& headers);

    // Grows with empty rows or drops rows from the end.
    void setBodyRowCount(int rows);
    QString cell(int row, int column) const;
    // A long body comes in slices of rows, one each pass of the event loop: a view takes time
    // for every row it is given, and given millions at once it would freeze.
    void setBody(GridBody body);

    Qt::Alignment columnAlignment(int column) const;
    void setColumnAlignment(int column, Qt::Alignment alignment);

private:
    bool contains(int row, int column) const;
    void addSliceOfRows();

    QList<QString> headers;
    QList<Qt::Alignment> alignments;
    GridBody body;
    int bodyRows = 0; // the body's rows given to views so far, and the empty rows after them
    QTimer nextSlice;
};
