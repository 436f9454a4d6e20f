// The benchmark's figures: the samples of a run and the line each set of
// them is printed as.
#include "bench_figures.h"

#include <algorithm>
#include <cstdio>

float samples[MAX_FRAMES];
float scratch[MAX_FRAMES];
float extra[MAX_FRAMES];

double report(const char* name, float* s, int n, const char* unit) {
    if (n <= 0) {
        printf("  %-44s no frames\n", name);
        return 0;
    }
    double sum = 0;
    for (int i = 0; i < n; i++)
        sum += s[i];
    std::sort(s, s + n);
    printf("  %-44s n %6d  mean %8.2f  median %8.2f  p99 %8.2f  worst %8.2f %s\n", name, n, sum / n,
           s[n / 2], s[std::min(n - 1, n * 99 / 100)], s[n - 1], unit);
    return sum / n;
}
