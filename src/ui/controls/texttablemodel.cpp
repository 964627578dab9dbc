// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/texttablemodel.h"

#include <algorithm>

namespace {

const Qt::Alignment defaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;

constexpr int rowsPerSlice = 500'000;

bool breaksLine(QChar c) {
    return c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
}

// A line or page break inside a cell would be drawn as a box, or push the text out of its row.
QString onOneLine(QString text) {
    std::replace_if(text.begin(), text.end(), breaksLine, QChar(u' '));
    return text;
}

} // namespace

TextTableModel::TextTableModel(QObject* parent) : QAbstractTableModel(parent) {
    nextSlice.setSingleShot(true);
    connect(&nextSlice, &QTimer::timeout, this, &TextTableModel::addSliceOfRows);
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : bodyRows;
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !contains(index.row(), index.column()))
        return {};
    if (role == Qt::DisplayRole)
        return onOneLine(cell(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole)
        return int(columnAlignment(index.column()));
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return headers.at(section);
    if (role == Qt::TextAlignmentRole)
        return int(columnAlignment(section));
    return {};
}

void TextTableModel::setHeaders(const QList<QString>& texts) {
    beginResetModel();
    headers = texts;
    alignments = QList<Qt::Alignment>(headers.size(), defaultAlignment);
    body = {};
    endResetModel();
}

void TextTableModel::setBodyRowCount(int rows) {
    rows = std::max(rows, 0);
    body.rows = std::min(body.rows, rows);
    if (rows > bodyRows) {
        beginInsertRows({}, bodyRows, rows - 1);
        bodyRows = rows;
        endInsertRows();
    } else if (rows < bodyRows) {
        beginRemoveRows({}, rows, bodyRows - 1);
        bodyRows = rows;
        endRemoveRows();
    }
    if (body.rows == 0)
        body = {}; // and whatever its texts were made from
}

QString TextTableModel::cell(int row, int column) const {
    if (!contains(row, column) || row >= body.rows)
        return {};
    return body.text(row, column);
}

void TextTableModel::setBody(GridBody newBody) {
    beginResetModel();
    body = std::move(newBody);
    bodyRows = std::clamp(body.rows, 0, rowsPerSlice);
    endResetModel();
    nextSlice.start();
}

void TextTableModel::addSliceOfRows() {
    if (bodyRows >= body.rows)
        return;
    const int last = bodyRows + std::min(body.rows - bodyRows, rowsPerSlice) - 1;
    beginInsertRows({}, bodyRows, last);
    bodyRows = last + 1;
    endInsertRows();
    nextSlice.start();
}

Qt::Alignment TextTableModel::columnAlignment(int column) const {
    return alignments.value(column, defaultAlignment);
}

void TextTableModel::setColumnAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= alignments.size())
        return;
    alignments[column] = alignment;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (bodyRows > 0)
        emit dataChanged(index(0, column), index(bodyRows - 1, column), {Qt::TextAlignmentRole});
}

bool TextTableModel::contains(int row, int column) const {
    return row >= 0 && row < bodyRows && column >= 0 && column < headers.size();
}
