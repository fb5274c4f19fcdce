#pragma once

#include "document/AdvancedConditions.h"
#include "platform/ColumnBuffer.h"

#include <QAbstractListModel>

#include <vector>

// The column viewer's listing as a list model: each numbered line is formatted when a view asks
// for it, so a full integral system opens at once without a text of 45 MB.
class ColumnListModel final : public QAbstractListModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnListModel)
public:
    // The columns are shared, not copied; later changes of the system do not reach the listing.
    explicit ColumnListModel(const ColumnBuffer& columns, QObject* parent = nullptr);

    // With values, each line ends with the column's value sum and probability; the lines keep
    // the numbers of their columns.
    void showValues(const AdvancedConditions& advanced);
    // The most probable first (ties in the system's order), or back to the system's order.
    void sortByProbability(bool sorted);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    qsizetype columnAt(int row) const { return m_order.empty() ? row : m_order[size_t(row)]; }

    ColumnBuffer m_columns;
    AdvancedConditions m_advanced;
    std::vector<qint32> m_order; // empty: the system's order
};
