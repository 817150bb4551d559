#include "images/byte_buffer.h"

#include <cstring>

bool reserveBytes(ByteBuffer& buffer, size_t capacity) {
    buffer.size = 0;
    buffer.overrun = false;
    return buffer.bytes.allocate(capacity);
}

// Advances over `count` bytes and returns where they go, or nullptr when they
// do not fit.
static uint8_t* claim(ByteBuffer& buffer, size_t count) {
    if (count > buffer.bytes.size() - buffer.size) {
        buffer.overrun = true;
        return nullptr;
    }
    uint8_t* at = buffer.bytes.get() + buffer.size;
    buffer.size += count;
    return at;
}

void put8(ByteBuffer& buffer, uint32_t value) {
    if (uint8_t* at = claim(buffer, 1)) at[0] = static_cast<uint8_t>(value);
}

void put16(ByteBuffer& buffer, uint32_t value) {
    if (uint8_t* at = claim(buffer, 2)) {
        at[0] = static_cast<uint8_t>(value);
        at[1] = static_cast<uint8_t>(value >> 8);
    }
}

void put32(ByteBuffer& buffer, uint32_t value) {
    if (uint8_t* at = claim(buffer, 4)) {
        for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void putBytes(ByteBuffer& buffer, const void* bytes, size_t count) {
    if (uint8_t* at = claim(buffer, count)) std::memcpy(at, bytes, count);
}

void putZeros(ByteBuffer& buffer, size_t count) {
    // The block came zero-filled and nothing before `size` is rewritten.
    claim(buffer, count);
}

bool isComplete(const ByteBuffer& buffer) {
    return buffer.bytes && !buffer.overrun && buffer.size == buffer.bytes.size();
}
