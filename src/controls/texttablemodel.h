#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// A read-only table of texts kept as one flat row-major list of body cells plus one header text
// per column, so that a million rows cost a million strings and nothing per cell besides.
class StringTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit StringTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // New columns with these header texts; the body keeps its row count, its cells emptied.
    void setHeaders(const QList<QString>& headers);
    QString header(int column) const;

    // Grows with empty rows or drops rows from the end.
    void setBodyRowCount(int rows);
    QString cell(int row, int column) const;

    const QList<QString>& cells() const { return body; }
    // Replaces the whole body at once; a trailing partial row is padded with empty cells.
    void setCells(QList<QString> rowMajorCells);

    Qt::Alignment columnAlignment(int column) const;
    void setColumnAlignment(int column, Qt::Alignment alignment);

private:
    bool contains(int row, int column) const;
    qsizetype cellOffset(int row, int column) const;

    QList<QString> headers;
    QList<Qt::Alignment> alignments;
    QList<QString> body;
    int bodyRows = 0;
};
