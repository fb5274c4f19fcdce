#pragma once

#include "conditions/Measures.h"

#include <QtGlobal>

#include <emmintrin.h>

#include <array>
#include <cstring>

// The fourteen measures of a column computed from bit masks instead of a scan, so that the
// reduction engine can afford them on every column of a full integral system. Bit k-1 of a mask
// stands for position k (or for pair k). The results equal those of Measures::measure for every
// column of '1', 'X', '2' and '-'.
namespace FastMeasures {

// Bits 0..12: the positions holding '1', 'X', '2'.
struct SignMasks {
    quint32 one = 0;
    quint32 draw = 0;
    quint32 two = 0;
};

// Bit k-1 set when pair k hits, in the order of the pair lists of Measures.
struct PairMasks {
    quint32 interruptions = 0; // 12 bits, (k, k+1) different
    quint32 symmetries = 0;    // 6 bits, (k, 14-k) equal
    quint32 parallels = 0;     // 6 bits, (k, k+7) equal
    quint32 step3 = 0;         // 11 bits, (k, k+2) equal
};

constexpr quint32 PositionBits = 0x1FFF;
constexpr quint32 InterruptionBits = 0xFFF;
constexpr quint32 SymmetryBits = 0x3F;
constexpr quint32 ParallelBits = 0x3F;
constexpr quint32 Step3Bits = 0x7FF;

namespace Detail {
constexpr std::array<quint8, 8192> buildMaskInfo()
{
    std::array<quint8, 8192> table{};
    for (quint32 mask = 0; mask < table.size(); ++mask) {
        int count = 0, run = 0, best = 0;
        for (int bit = 0; bit < 13; ++bit) {
            if (mask & (1u << bit)) {
                ++count;
                best = ++run > best ? run : best;
            } else {
                run = 0;
            }
        }
        table[mask] = static_cast<quint8>(count << 4 | best);
    }
    return table;
}
} // namespace Detail

// For every 13-bit mask: the number of set bits in the high nibble, the longest run of set
// bits in the low nibble. A run of hits is the same whichever end it is read from, so one table
// serves every family of pairs.
inline constexpr std::array<quint8, 8192> MaskInfo = Detail::buildMaskInfo();

inline int countOf(quint32 mask)
{
    return MaskInfo[mask] >> 4;
}
inline int longestRunOf(quint32 mask)
{
    return MaskInfo[mask] & 0xF;
}

// The 13 signs in the low bytes of a vector, the other three bytes zero or (when `readable16`
// says that 16 bytes may be read from `column`) whatever follows the column.
inline __m128i loadColumn(const char* column, bool readable16)
{
    if (readable16)
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(column));
    // Bytes 0..7, then bytes 5..12 moved up to 8..12: two loads inside the column, and no
    // round trip through memory that would stall the load on the stores.
    const __m128i low = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(column));
    const __m128i high =
        _mm_srli_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(column + 5)), 24);
    return _mm_unpacklo_epi64(low, high);
}

// Copies one column; the source is read whole before the destination is written, so the two
// may overlap.
inline void copyColumn(char* destination, const char* source)
{
    quint64 head, tail;
    std::memcpy(&head, source, 8);
    std::memcpy(&tail, source + 5, 8);
    std::memcpy(destination, &head, 8);
    std::memcpy(destination + 5, &tail, 8);
}

inline quint32 bytesEqualTo(__m128i signs, char sign)
{
    return static_cast<quint32>(_mm_movemask_epi8(_mm_cmpeq_epi8(signs, _mm_set1_epi8(sign))));
}

inline SignMasks signMasks(__m128i signs)
{
    return {bytesEqualTo(signs, '1') & PositionBits, bytesEqualTo(signs, 'X') & PositionBits,
            bytesEqualTo(signs, '2') & PositionBits};
}

// Byte i of the result equals byte i + shift of the column.
template <int Shift> inline quint32 equalAtDistance(__m128i signs)
{
    return static_cast<quint32>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(signs, _mm_srli_si128(signs, Shift))));
}

inline quint32 interruptionHits(__m128i signs)
{
    return ~equalAtDistance<1>(signs) & InterruptionBits;
}

inline quint32 symmetryHits(__m128i signs)
{
    // Reverse the 16 bytes with SSE2 only: words reversed, then the bytes of each word swapped.
    __m128i reversed = _mm_shufflelo_epi16(signs, 0x1B);
    reversed = _mm_shufflehi_epi16(reversed, 0x1B);
    reversed = _mm_shuffle_epi32(reversed, 0x4E);
    reversed = _mm_or_si128(_mm_slli_epi16(reversed, 8), _mm_srli_epi16(reversed, 8));
    // Byte i of `mirrored` is byte 12 - i of the column.
    const __m128i mirrored = _mm_srli_si128(reversed, 3);
    return static_cast<quint32>(_mm_movemask_epi8(_mm_cmpeq_epi8(signs, mirrored))) & SymmetryBits;
}

inline quint32 parallelHits(__m128i signs)
{
    return equalAtDistance<7>(signs) & ParallelBits;
}

inline quint32 step3Hits(__m128i signs)
{
    return equalAtDistance<2>(signs) & Step3Bits;
}

inline PairMasks pairMasks(__m128i signs)
{
    return {interruptionHits(signs), symmetryHits(signs), parallelHits(signs), step3Hits(signs)};
}

// All fourteen measures of one 13-character column.
ColumnMeasures measure(const char* column);

} // namespace FastMeasures
