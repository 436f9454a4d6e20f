// Counting heap allocations: the game must not touch the heap while it
// plays, and the benchmark counts every time it does.
#pragma once

#include <atomic>

// While heap_counting is 1, every malloc, calloc, realloc and operator new
// adds one to heap_allocations. The program links with malloc, calloc and
// realloc wrapped, so SDL's and the C library's calls are counted too.
extern std::atomic<int> heap_counting;
extern std::atomic<long> heap_allocations;
