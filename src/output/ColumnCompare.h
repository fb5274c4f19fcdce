#pragma once

#include "platform/ColumnBuffer.h"

#include <QtGlobal>

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUADRIGO_COLUMN_COMPARE_SSE2 1
#endif

// Match-by-match comparison of two columns as one 16-byte vector compare, for the scans that
// visit every column of a full integral system (merging, winnings check). Bit k of a result
// stands for match k+1.
namespace ColumnCompare {

constexpr quint32 AllMatches = 0x1FFF;

#ifdef QUADRIGO_COLUMN_COMPARE_SSE2
using Loaded = __m128i;

inline Loaded loadPadded(const char* column)
{
    alignas(16) char padded[16] = {};
    std::memcpy(padded, column, ColumnBuffer::Width);
    return _mm_load_si128(reinterpret_cast<const __m128i*>(padded));
}

// `column` must be followed by at least 3 readable bytes.
inline Loaded loadWide(const char* column)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(column));
}

inline quint32 equalMatches(Loaded a, Loaded b)
{
    return static_cast<quint32>(_mm_movemask_epi8(_mm_cmpeq_epi8(a, b))) & AllMatches;
}
#else
struct Loaded {
    char signs[ColumnBuffer::Width];
};

inline Loaded loadPadded(const char* column)
{
    Loaded loaded;
    std::memcpy(loaded.signs, column, ColumnBuffer::Width);
    return loaded;
}

inline Loaded loadWide(const char* column)
{
    return loadPadded(column);
}

inline quint32 equalMatches(const Loaded& a, const Loaded& b)
{
    quint32 mask = 0;
    for (int k = 0; k < ColumnBuffer::Width; ++k)
        mask |= quint32(a.signs[k] == b.signs[k]) << k;
    return mask;
}
#endif

// Every column but the last has the next one's bytes behind it, so it can be read 16 bytes
// wide; the last one goes through a padded copy.
inline Loaded load(const ColumnBuffer& columns, qsizetype index)
{
    return index + 1 < columns.count() ? loadWide(columns.columnData(index))
                                       : loadPadded(columns.columnData(index));
}

} // namespace ColumnCompare
