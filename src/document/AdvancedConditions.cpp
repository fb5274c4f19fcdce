#include "document/AdvancedConditions.h"

#include <cmath>

void AdvancedConditions::setValues(const SignValues& values)
{
    SignValues rounded{};
    for (int match = 0; match < Matches; ++match) {
        for (int s = 0; s < 3; ++s)
            rounded[match][s] = static_cast<double>(hundredths(values[match][s])) / 100.0;
    }
    m_values = rounded;
}

bool AdvancedConditions::isSet() const
{
    return *this != AdvancedConditions{};
}

bool AdvancedConditions::changesReduction() const
{
    return errorsFrom != 0 || errorsTo != 0 || sum.has_value() || topCount > 0 ||
           !references.isEmpty();
}

double AdvancedConditions::valueOf(int match, char sign) const
{
    if (!m_values || match < 0 || match >= Matches)
        return 0;
    switch (sign) {
    case '1':
        return (*m_values)[match][0];
    case 'X':
        return (*m_values)[match][1];
    case '2':
        return (*m_values)[match][2];
    default:
        return 0;
    }
}

qint64 AdvancedConditions::hundredths(double percent)
{
    return std::llround(percent * 100.0);
}
