#include "platform/page_memory.h"

#include <windows.h>

void* allocatePages(size_t bytes) {
    if (bytes == 0 || allocationRefused()) return nullptr;
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void releasePages(void* block) {
    if (block) VirtualFree(block, 0, MEM_RELEASE);
}
