#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

// Median, 99th percentile and maximum of a set of samples, printed on one
// line in the unit the samples are in.
inline void printFigures(const char* what, std::vector<double> samples, const char* unit) {
    if (samples.empty())
        return;
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double fraction) {
        const size_t index =
            std::min(samples.size() - 1, size_t(fraction * double(samples.size())));
        return samples[index];
    };
    std::printf("%-34s n=%-4zu median %8.3f %s   p99 %8.3f %s   max %8.3f %s\n", what,
                samples.size(), at(0.5), unit, at(0.99), unit, samples.back(), unit);
    std::fflush(stdout);
}
