// What the process has used of the machine, as each platform counts it.
#pragma once

// Processor time of the whole process, user and system, in seconds.
double process_cpu_seconds();
// The most memory the process has held at once, in KiB.
long peak_memory_kib();
