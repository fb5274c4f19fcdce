#include "document/ConditionSet.h"

#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"

void ConditionSet::resetToDefaults()
{
    m_entries[0] = 1.0;
    for (int i = 1; i < Size; ++i)
        m_entries[i] = 0.0;
}

double ConditionSet::number(int index) const
{
    const QVariant& value = m_entries[index];
    if (value.typeId() == QMetaType::QString)
        return NumberFormat::readAsNumber(value.toString());
    return value.toDouble();
}

QString ConditionSet::text(int index) const
{
    return LegacyTextFile::textOf(m_entries[index]);
}

QVariantList ConditionSet::toList() const
{
    return QVariantList(m_entries.begin(), m_entries.end());
}

void ConditionSet::fromList(const QVariantList& values)
{
    for (int i = 0; i < Size && i < values.size(); ++i)
        m_entries[i] = values[i];
}

namespace EnableFlagsText {

bool isEnabled(const QString& flags, ConditionKind kind)
{
    const int position = static_cast<int>(kind);
    return position < flags.size() && flags[position] == QLatin1Char('1');
}

QString withKind(QString flags, ConditionKind kind, bool enabled)
{
    flags = flags.leftJustified(7, QLatin1Char('0'), true);
    flags[static_cast<int>(kind)] = enabled ? QLatin1Char('1') : QLatin1Char('0');
    return flags;
}

} // namespace EnableFlagsText
