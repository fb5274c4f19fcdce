#include "output/ColumnListModel.h"

#include "output/ColumnListing.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

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
    const qsizetype at = columnAt(index.row());
    const QByteArrayView column = m_columns.column(at);
    QString line = ColumnListing::line(at + 1, column);
    if (m_advanced.values()) {
        static const QLocale italian(QLocale::Italian, QLocale::Italy);
        line += QStringLiteral("   Somma %1   Prob. %2 %")
                    .arg(AdvancedConditions::valueText(m_advanced.valueSum(column)),
                         italian.toString(m_advanced.probability(column) * 100, 'g', 3));
    }
    return line;
}

void ColumnListModel::showValues(const AdvancedConditions& advanced)
{
    beginResetModel();
    m_advanced = advanced;
    m_order.clear();
    endResetModel();
}

void ColumnListModel::sortByProbability(bool sorted)
{
    beginResetModel();
    m_order.clear();
    if (sorted && m_advanced.values()) {
        const qsizetype count = m_columns.count();
        std::vector<double> probability(size_t(count), 0.0);
        for (qsizetype i = 0; i < count; ++i)
            probability[size_t(i)] = m_advanced.probability(m_columns.column(i));
        m_order.resize(size_t(count));
        std::iota(m_order.begin(), m_order.end(), 0);
        std::stable_sort(m_order.begin(), m_order.end(), [&probability](qint32 a, qint32 b) {
            return probability[size_t(a)] > probability[size_t(b)];
        });
    }
    endResetModel();
}
