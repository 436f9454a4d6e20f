// Windows: the watchdog as a thread of its own that looks at the main
// thread's processor time, which Windows counts for every thread. The rule is
// the desktop's: a pass of the screen sequence that takes WATCHDOG_CPU_MS of
// the main thread's processor time, not of the wall clock, ends the game, so
// a game held in a debugger or starved on a busy machine goes on.
#include "platform/platform.h"

#include <windows.h>

#include <io.h>

#include <atomic>
#include <cstdio>

// Windows counts thread times in hundreds of nanoseconds.
constexpr int64_t TICKS_PER_MS = 10000;
// How often the watching thread looks: a pass that spins is ended within
// this much of its time running out.
constexpr DWORD LOOK_EVERY_MS = 50;

static HANDLE watched_thread;
static std::atomic<int64_t> fed_at_ticks;
static bool watchdog_running;

static int64_t thread_cpu_ticks(HANDLE thread) {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user))
        return 0;
    auto ticks = [](const FILETIME& t) {
        return int64_t(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime);
    };
    return ticks(kernel) + ticks(user);
}

static DWORD WINAPI watch(void*) {
    for (;;) {
        Sleep(LOOK_EVERY_MS);
        if (thread_cpu_ticks(watched_thread) - fed_at_ticks.load() <
            int64_t(WATCHDOG_CPU_MS) * TICKS_PER_MS)
            continue;
        // not through stdio, whose lock the stuck thread may hold
        static const char message[] = "SDL: stuck in a call to the library; its display is gone\n";
        int written = _write(_fileno(stderr), message, sizeof message - 1);
        (void)written;
        // the stuck thread may hold any lock: no exit handler runs
        TerminateProcess(GetCurrentProcess(), WATCHDOG_EXIT_STATUS);
    }
}

void watchdog_start() {
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(),
                         &watched_thread, THREAD_QUERY_LIMITED_INFORMATION, FALSE, 0))
        return; // no watchdog: the game runs as it would without one
    fed_at_ticks = thread_cpu_ticks(watched_thread);
    HANDLE watcher = CreateThread(nullptr, 0, watch, nullptr, 0, nullptr);
    if (!watcher)
        return;
    CloseHandle(watcher);
    watchdog_running = true;
}

void watchdog_feed() {
    if (watchdog_running)
        fed_at_ticks = thread_cpu_ticks(watched_thread);
}
