#include "bench/FrameStats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

FrameStats Summarise(std::vector<double> milliseconds)
{
    FrameStats stats;
    if (milliseconds.empty())
        return stats;
    std::sort(milliseconds.begin(), milliseconds.end());
    const size_t n = milliseconds.size();
    stats.count = static_cast<int>(n);
    stats.median = n % 2 ? milliseconds[n / 2] : (milliseconds[n / 2 - 1] + milliseconds[n / 2]) / 2.0;
    stats.mean = std::accumulate(milliseconds.begin(), milliseconds.end(), 0.0) / static_cast<double>(n);
    const size_t rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n)));
    stats.p99 = milliseconds[std::max<size_t>(rank, 1) - 1];
    stats.max = milliseconds.back();
    return stats;
}
