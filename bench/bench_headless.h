// Headless timing: no pacing wait, every frame timed on its own.
#pragma once

// One whole game of at most `frames` frames, then the named cases set up by
// hand and present_frame on its own, each printed as figures.
void headless(int frames);
