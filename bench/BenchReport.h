#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchOptions.h"
#include "bench/FrameStats.h"
#include "bench/ShowMeasure.h"

struct BenchResults {
    std::vector<ShowFigures> sizes;
    FrameStats cpuAt64x48;
    bool firstFrameMeasured = false;
    double firstFrameMs = 0.0;
};

// The figures as a table for people, and the same figures as JSON.
void PrintTable(const BenchOptions& options, const BenchResults& results, std::FILE* out);
bool WriteJson(const BenchOptions& options, const BenchResults& results, const std::string& path,
               std::string& error);
