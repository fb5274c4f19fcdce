#include "archive/ArchiveModel.h"

#include "platform/ColumnDatabase.h"

void ArchiveModel::setRecords(QList<ArchiveRecord> records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

void ArchiveModel::replaceRecord(int row, const ArchiveRecord& record)
{
    m_records[row] = record;
    emit dataChanged(index(row, 0), index(row, ArchiveRecord::FieldCount - 1));
}

int ArchiveModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_records.size());
}

int ArchiveModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ArchiveRecord::FieldCount;
}

QVariant ArchiveModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return m_records[index.row()].fields[index.column()];
}

QVariant ArchiveModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= ArchiveRecord::FieldCount)
        return {};
    return ColumnDatabase::winningFieldNames()[section];
}
