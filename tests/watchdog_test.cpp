// The watchdog, in a child process each time: a pass that spins on the
// processor past its time ends the game with status 1 and a line on stderr;
// passes fed in time go on for as long as they like.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/platform.h"

// Spins on the processor until the calling thread has used this much of it.
static void spin_for_cpu_ms(int64_t ms) {
    timespec start{}, now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    int64_t used = 0;
    while (used < ms) {
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        used = (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
    }
}

TEST(Watchdog, APassThatSpinsPastItsTimeEndsTheGameWithStatus1) {
    EXPECT_EXIT(
        {
            watchdog_start();
            spin_for_cpu_ms(4 * WATCHDOG_CPU_MS);
            std::exit(0); // the watchdog slept
        },
        testing::ExitedWithCode(WATCHDOG_EXIT_STATUS), "stuck in a call to the library");
}

// Fed every quarter of its time, through one and a half times its time.
TEST(Watchdog, PassesFedInTimeGoOn) {
    EXPECT_EXIT(
        {
            watchdog_start();
            for (int pass = 0; pass < 6; pass++) {
                spin_for_cpu_ms(WATCHDOG_CPU_MS / 4);
                watchdog_feed();
            }
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}
