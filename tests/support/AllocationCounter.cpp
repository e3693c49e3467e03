#include "tests/support/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
// Per thread: the game runs on one thread, and the audio library's own threads allocate on their
// own schedule, which says nothing about the game's frame.
thread_local long allocations = 0;

void* countedAllocation(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return countedAllocation(size);
}
void* operator new[](std::size_t size) {
    return countedAllocation(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace testfiles {

long allocationCount() {
    return allocations;
}

}  // namespace testfiles
