// Counting heap allocations: the game must not touch the heap while it
// plays, and the benchmark counts every time it does.
#include "heap_count.h"

#include <cstdlib>
#include <new>

std::atomic<int> heap_counting{0};
std::atomic<long> heap_allocations{0};

static void* counted(void* p) {
    heap_allocations += heap_counting.load(std::memory_order_relaxed);
    return p;
}

extern "C" {
void* __real_malloc(size_t n);
void* __real_calloc(size_t n, size_t size);
void* __real_realloc(void* p, size_t n);
void* __wrap_malloc(size_t n) {
    return counted(__real_malloc(n));
}
void* __wrap_calloc(size_t n, size_t size) {
    return counted(__real_calloc(n, size));
}
void* __wrap_realloc(void* p, size_t n) {
    return counted(__real_realloc(p, n));
}
}

// The standard library's array and nothrow forms come through these.
void* operator new(size_t n) {
    void* p = counted(__real_malloc(n ? n : 1));
    if (!p)
        throw std::bad_alloc();
    return p;
}
void operator delete(void* p) noexcept {
    free(p);
}
void operator delete(void* p, size_t) noexcept {
    free(p);
}
