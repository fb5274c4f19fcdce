#include "platform/MemoryTuning.h"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace MemoryTuning {

void keepLargeBlocksMapped()
{
#if defined(__GLIBC__)
    // 32 MB is the largest mmap threshold glibc accepts on 64-bit systems; a full column buffer
    // (20 MB) stays below it and so comes from the heap, which keeps freed memory mapped.
    constexpr int Megabyte = 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, 32 * Megabyte);
    mallopt(M_TRIM_THRESHOLD, 1024 * Megabyte);
#endif
}

} // namespace MemoryTuning
