#pragma once

#include "archive/ArchiveRecord.h"

#include <QAbstractTableModel>
#include <QList>

// The archive browser's grid: one row per record in the order loaded, the 32 fields as
// columns under their field names, read only.
class ArchiveModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ArchiveModel)
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRecords(QList<ArchiveRecord> records);
    const QList<ArchiveRecord>& records() const { return m_records; }
    const ArchiveRecord& record(int row) const { return m_records[row]; }
    // A record rewritten in place (after a modification), without reloading.
    void replaceRecord(int row, const ArchiveRecord& record);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<ArchiveRecord> m_records;
};
