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

// Small working blocks that live for a moment (a glyph's effect masks, a few
// kilobytes to a few hundred each, several per glyph) come from the C heap
// instead: the page allocator's system calls would cost more than the work
// done in them. Zero-filled; nullptr when not granted. Asking for 0 bytes
// gives a block all the same.
void* allocateScratch(size_t bytes);
// Gives back a block from allocateScratch. nullptr is accepted and ignored.
void releaseScratch(void* block);

// For tests that make memory run out: while `refuse` is set, every call of
// allocatePages and allocateScratch asks it first, on the allocating
// thread, and returns nullptr when it answers true, as if the system had
// granted nothing. nullptr (the start-up value) refuses nothing.
void setAllocationRefusal(bool (*refuse)());

// Whether the refusal above turns down this allocation; the allocators ask
// it before they ask the system.
bool allocationRefused();
