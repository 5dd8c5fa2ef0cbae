#pragma once

#include <vector>

// Median, mean, 99th percentile (nearest rank) and largest of a set of
// frame times in milliseconds; all zero for an empty set.
struct FrameStats {
    int count = 0;
    double median = 0.0;
    double mean = 0.0;
    double p99 = 0.0;
    double max = 0.0;
};

FrameStats Summarise(std::vector<double> milliseconds);
