#pragma once

#include <cstddef>

// Blocks for pixels and tables, obtained zero-filled from the system's page
// allocator (VirtualAlloc on Windows) rather than the heap, so that large
// page buffers go straight back to the system when released.

// Returns a zero-filled block of `bytes` bytes, or nullptr when the system
// grants nothing. Asking for 0 bytes returns nullptr.
void* allocatePages(size_t bytes);

// Gives back a block from allocatePages. nullptr is accepted and ignored.
void releasePages(void* block);
