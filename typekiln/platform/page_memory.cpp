#include "platform/page_memory.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<bool (*)()> refusal{nullptr};

}  // namespace

void* allocateScratch(size_t bytes) {
    if (allocationRefused()) return nullptr;
    return std::calloc(bytes > 0 ? bytes : 1, 1);
}

void releaseScratch(void* block) {
    std::free(block);
}

void setAllocationRefusal(bool (*refuse)()) {
    refusal = refuse;
}

bool allocationRefused() {
    bool (*refuse)() = refusal;
    return refuse && refuse();
}
