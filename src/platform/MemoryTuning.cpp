#include "platform/MemoryTuning.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace MemoryTuning {

void keepLargeBlocksMapped()
{
#if defined(__GLIBC__)
    constexpr int Megabyte = 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, 512 * Megabyte);
    mallopt(M_TRIM_THRESHOLD, 1024 * Megabyte);
#endif
}

} // namespace MemoryTuning
