#include "platform/platform.h"

#include <csignal>
#include <ctime>
#include <unistd.h>

// On a Wayland desktop without server-side decorations, SDL 2 and SDL 3 pump
// their events through libdecor, whose dispatch spins for ever once the
// compositor is gone while events still wait in the queue: the game would
// burn a core, deaf to SIGTERM, whose handler only queues a quit. So the main
// thread's processor time is watched, not the wall clock: a game stopped in
// a terminal or a debugger, or starved on a loaded machine, uses none and
// goes on. A pass that takes WATCHDOG_CPU_MS of it ends the game.
static timer_t watchdog_timer;
static bool watchdog_running;

static void on_watchdog(int) {
    static const char message[] = "SDL: stuck in a call to the library; its display is gone\n";
    ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
    (void)written;
    _exit(WATCHDOG_EXIT_STATUS);
}

void watchdog_start() {
    struct sigaction action {};
    action.sa_handler = on_watchdog;
    sigaction(SIGXCPU, &action, nullptr);
    sigevent expiry{};
    expiry.sigev_notify = SIGEV_SIGNAL;
    expiry.sigev_signo = SIGXCPU;
    if (timer_create(CLOCK_THREAD_CPUTIME_ID, &expiry, &watchdog_timer) != 0)
        return; // no watchdog: the game runs as it would without one
    watchdog_running = true;
    watchdog_feed();
}

void watchdog_feed() {
    if (!watchdog_running)
        return;
    itimerspec budget{};
    budget.it_value.tv_sec = WATCHDOG_CPU_MS / 1000;
    budget.it_value.tv_nsec = long(WATCHDOG_CPU_MS % 1000) * 1000000L;
    timer_settime(watchdog_timer, 0, &budget, nullptr);
}
