// Windows counts process times in hundreds of nanoseconds, and the memory a
// process held at once as its peak working set.
#include "bench_usage.h"

#include <windows.h>
#include <psapi.h>

#include <cstdint>

double process_cpu_seconds() {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user))
        return 0;
    auto seconds = [](const FILETIME& t) {
        return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

long peak_memory_kib() {
    PROCESS_MEMORY_COUNTERS memory{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        return 0;
    return long(memory.PeakWorkingSetSize / 1024);
}
