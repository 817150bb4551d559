#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/page_memory.h"

// The bytes of a binary file in the making. Files are built whole in memory
// and written with one call; every field is put explicitly in little-endian
// order, never as a struct image. The block comes from the page allocator.
struct ByteBuffer {
    PageBlock<uint8_t> bytes;  // bytes.size() reserved
    size_t size = 0;           // bytes put so far
    bool overrun = false;      // a put did not fit and was dropped
};

// Empties the buffer and reserves exactly `capacity` zero bytes. Returns
// false when the block is not granted.
bool reserveBytes(ByteBuffer& buffer, size_t capacity);

// The put functions append at `size`. Callers reserve the exact file size
// first; a put that would pass the capacity is dropped and marks the buffer
// as overrun.
void put8(ByteBuffer& buffer, uint32_t value);
void put16(ByteBuffer& buffer, uint32_t value);
void put32(ByteBuffer& buffer, uint32_t value);
void putBytes(ByteBuffer& buffer, const void* bytes, size_t count);
// Appends `count` zero bytes.
void putZeros(ByteBuffer& buffer, size_t count);

// True when exactly the reserved bytes have been put and none was dropped.
bool isComplete(const ByteBuffer& buffer);
