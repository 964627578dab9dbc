#include "stringtablemodel.h"

#include <algorithm>

namespace {

const Qt::Alignment defaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

StringTableModel::StringTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int StringTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : bodyRows;
}

int StringTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers.size());
}

QVariant StringTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !contains(index.row(), index.column()))
        return {};
    if (role == Qt::DisplayRole)
        return body.at(cellOffset(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole)
        return int(columnAlignment(index.column()));
    return {};
}

QVariant StringTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return headers.at(section);
    if (role == Qt::TextAlignmentRole)
        return int(columnAlignment(section));
    return {};
}

void StringTableModel::setHeaders(const QList<QString>& texts) {
    beginResetModel();
    headers = texts;
    alignments = QList<Qt::Alignment>(headers.size(), defaultAlignment);
    body = QList<QString>(qsizetype(bodyRows) * headers.size());
    endResetModel();
}

QString StringTableModel::header(int column) const {
    return headers.value(column);
}

void StringTableModel::setBodyRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows > bodyRows) {
        beginInsertRows({}, bodyRows, rows - 1);
        bodyRows = rows;
        body.resize(qsizetype(bodyRows) * headers.size());
        endInsertRows();
    } else if (rows < bodyRows) {
        beginRemoveRows({}, rows, bodyRows - 1);
        bodyRows = rows;
        body.resize(qsizetype(bodyRows) * headers.size());
        endRemoveRows();
    }
}

QString StringTableModel::cell(int row, int column) const {
    return contains(row, column) ? body.at(cellOffset(row, column)) : QString();
}

void StringTableModel::setCells(QList<QString> rowMajorCells) {
    beginResetModel();
    body = std::move(rowMajorCells);
    const qsizetype columns = headers.size();
    bodyRows = columns == 0 ? 0 : int((body.size() + columns - 1) / columns);
    body.resize(qsizetype(bodyRows) * columns);
    endResetModel();
}

Qt::Alignment StringTableModel::columnAlignment(int column) const {
    return alignments.value(column, defaultAlignment);
}

void StringTableModel::setColumnAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= alignments.size())
        return;
    alignments[column] = alignment;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (bodyRows > 0)
        emit dataChanged(index(0, column), index(bodyRows - 1, column), {Qt::TextAlignmentRole});
}

bool StringTableModel::contains(int row, int column) const {
    return row >= 0 && row < bodyRows && column >= 0 && column < headers.size();
}

qsizetype StringTableModel::cellOffset(int row, int column) const {
    return qsizetype(row) * headers.size() + column;
}
