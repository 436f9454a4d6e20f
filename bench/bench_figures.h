// The benchmark's figures: the samples of a run and the line each set of
// them is printed as.
#pragma once

constexpr int MAX_FRAMES = 400000;
// Room for one sample per frame, in microseconds unless a report says else.
extern float samples[MAX_FRAMES];
extern float scratch[MAX_FRAMES];
extern float extra[MAX_FRAMES];

// Prints the count, mean, median, 99th percentile and worst of the n
// samples s, "no frames" when there are none. Sorts the samples in place;
// returns their mean.
double report(const char* name, float* s, int n, const char* unit = "us");
