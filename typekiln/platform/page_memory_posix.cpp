#include "platform/page_memory.h"

#include <cstdlib>

// calloc hands large blocks to mmap, which is the closest match to the Win32
// page allocator, and it lets the sanitizers see every block.
void* allocatePages(size_t bytes) {
    if (bytes == 0 || allocationRefused()) return nullptr;
    return std::calloc(1, bytes);
}

void releasePages(void* block) {
    std::free(block);
}
