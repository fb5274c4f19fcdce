#include "output/ColumnListModel.h"

#include "output/ColumnListing.h"

ColumnListModel::ColumnListModel(const ColumnBuffer& columns, QObject* parent)
    : QAbstractListModel(parent)
    , m_columns(columns)
{}

int ColumnListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.count());
}

QVariant ColumnListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        role != Qt::DisplayRole)
        return {};
    return ColumnListing::line(index.row() + 1, m_columns.column(index.row()));
}
