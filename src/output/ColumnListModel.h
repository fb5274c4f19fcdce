#pragma once

#include "platform/ColumnBuffer.h"

#include <QAbstractListModel>

// The column viewer's listing as a list model: each numbered line is formatted when a view asks
// for it, so a full integral system opens at once without a text of 45 MB.
class ColumnListModel final : public QAbstractListModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnListModel)
public:
    // The columns are shared, not copied; later changes of the system do not reach the listing.
    explicit ColumnListModel(const ColumnBuffer& columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    ColumnBuffer m_columns;
};
