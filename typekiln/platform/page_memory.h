#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

// Blocks for pixels and tables, obtained zero-filled from the system's page
// allocator (VirtualAlloc on Windows) rather than the heap, so that large
// page buffers go straight back to the system when released. Code outside
// this header holds them through PageBlock below, never by hand.

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

// The one owner of a block of size() values of T from one of the allocators
// above, given back when the owner is destroyed, reset, or assigned another
// block. Move-only; a moved-from owner is empty. Values are default-
// initialised in the zero-filled block: fields without an initialiser keep
// their zeros, and a block of plain values is not written at all, so that
// the system commits its pages only as they are used. A block that is not
// granted leaves the owner empty: get() null, size() 0.
template <typename T, void* (*obtainBlock)(size_t), void (*giveBackBlock)(void*)>
class OwnedBlock {
public:
    OwnedBlock() = default;
    explicit OwnedBlock(size_t count) { take(count); }
    ~OwnedBlock() { reset(); }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;
    OwnedBlock(OwnedBlock&& other) noexcept
        : values(std::exchange(other.values, nullptr)), count(std::exchange(other.count, 0)) {}
    // Takes the other block before giving back its own, so that an owner
    // kept inside this block may be assigned from.
    OwnedBlock& operator=(OwnedBlock&& other) noexcept {
        T* const taken = std::exchange(other.values, nullptr);
        const size_t takenCount = std::exchange(other.count, 0);
        reset();
        values = taken;
        count = takenCount;
        return *this;
    }

    // Gives back the block held, then obtains `newCount` values. Returns
    // false, leaving the owner empty, when they are not granted.
    bool allocate(size_t newCount) {
        reset();
        take(newCount);
        return values != nullptr;
    }

    // Gives back the block held; the owner is empty afterwards.
    void reset() {
        if constexpr (!std::is_trivially_destructible_v<T>) {
            for (size_t i = 0; i < count; ++i) values[i].~T();
        }
        giveBackBlock(values);
        values = nullptr;
        count = 0;
    }

    T* get() const { return values; }
    size_t size() const { return count; }
    T& operator[](size_t index) const { return values[index]; }
    T& operator*() const { return *values; }
    T* operator->() const { return values; }
    explicit operator bool() const { return values != nullptr; }

private:
    void take(size_t newCount) {
        values = static_cast<T*>(obtainBlock(newCount * sizeof(T)));
        if (!values) return;
        count = newCount;
        if constexpr (!std::is_trivially_default_constructible_v<T>) {
            for (size_t i = 0; i < count; ++i) new (values + i) T;
        }
    }

    T* values = nullptr;
    size_t count = 0;
};

// Blocks from the page allocator: pixels, pages and tables.
template <typename T>
using PageBlock = OwnedBlock<T, allocatePages, releasePages>;

// Short-lived working blocks from the heap (allocateScratch).
template <typename T>
using Scratch = OwnedBlock<T, allocateScratch, releaseScratch>;
