// Presented timing: paced frames in a real window, measured around the wait.
#pragma once

// `frames` frames of play with the pacing wait kept, a new game whenever
// one ends, printed as figures with the process's share of a core.
void presented(int frames);
