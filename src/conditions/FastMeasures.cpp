#include "conditions/FastMeasures.h"

namespace FastMeasures {

ColumnMeasures measure(const char* column)
{
    const __m128i signs = loadColumn(column, false);
    const SignMasks masks = signMasks(signs);
    const PairMasks pairs = pairMasks(signs);
    ColumnMeasures m;
    m.S1 = countOf(masks.one);
    m.SX = countOf(masks.draw);
    m.S2 = countOf(masks.two);
    m.SC1 = longestRunOf(masks.one);
    m.SCX = longestRunOf(masks.draw);
    m.SC2 = longestRunOf(masks.two);
    m.IG = countOf(pairs.interruptions);
    m.IC = longestRunOf(pairs.interruptions);
    m.SG = countOf(pairs.symmetries);
    m.SC = longestRunOf(pairs.symmetries);
    m.PG = countOf(pairs.parallels);
    m.PC = longestRunOf(pairs.parallels);
    m.FG = countOf(pairs.step3);
    m.FC = longestRunOf(pairs.step3);
    m.complete = (bytesEqualTo(signs, '-') & PositionBits) == 0;
    return m;
}

} // namespace FastMeasures
