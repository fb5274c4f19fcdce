#pragma once

// Column buffers of tens of megabytes are allocated and freed as systems change. Mapping fresh
// pages for each of them costs far more than the work done on them (page faults dominate), so
// the program asks the allocator to serve large blocks from the heap and to keep freed memory
// mapped for reuse. Call once at start-up.
namespace MemoryTuning {
void keepLargeBlocksMapped();
} // namespace MemoryTuning
