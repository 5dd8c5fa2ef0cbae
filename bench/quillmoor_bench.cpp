// The show's figures, rendered offscreen on the simulated clock with a
// glFinish after every frame: frame times by kind at three sizes, the floor,
// the flip frame, the CPU time of a frame, the time to the first frame and
// the peak resident memory, as a table and as JSON. --endurance runs days of
// show time instead. See the README, "Benchmarks".
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "bench/BenchOptions.h"
#include "bench/BenchReport.h"
#include "bench/Endurance.h"
#include "bench/FirstFrame.h"
#include "bench/ShowMeasure.h"

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::printf("%s\n", BenchUsage());
            return 0;
        }
    }
    BenchOptions options;
    std::string error;
    if (!ParseBenchOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "quillmoor_bench: %s\n%s\n", error.c_str(), BenchUsage());
        return 2;
    }
    if (options.endurance)
        return RunEndurance(options);
    if (!options.pictureDir.empty()) {
        std::error_code code;
        std::filesystem::create_directories(options.pictureDir, code);
        if (code) {
            std::fprintf(stderr, "quillmoor_bench: cannot create '%s': %s\n", options.pictureDir.c_str(),
                         code.message().c_str());
            return 1;
        }
    }

    BenchResults results;
    // First, while the process is young and the program's files are as cold as they get.
    std::string firstFrameError;
    results.firstFrameMeasured =
        MeasureFirstFrame(QUILLMOOR_PROGRAM, options.seed, options.firstFrameRuns, results.firstFrameMs, firstFrameError);
    if (!results.firstFrameMeasured)
        std::fprintf(stderr, "quillmoor_bench: first frame not measured: %s\n", firstFrameError.c_str());

    const std::vector<std::string> renderers =
        options.renderers.empty() ? std::vector<std::string>{""} : options.renderers;
    for (const BenchOptions::Size& size : options.sizes)
        for (const std::string& renderer : renderers) {
            ShowFigures figures;
            if (!MeasureShow(options, size, figures, error, renderer)) {
                std::fprintf(stderr, "quillmoor_bench: %s\n", error.c_str());
                return 1;
            }
            results.sizes.push_back(figures);
        }
    if (!MeasureFrameCpu(options, results.cpuAt64x48, error)) {
        std::fprintf(stderr, "quillmoor_bench: %s\n", error.c_str());
        return 1;
    }

    PrintTable(options, results, stdout);
    if (!WriteJson(options, results, options.jsonPath, error)) {
        std::fprintf(stderr, "quillmoor_bench: %s\n", error.c_str());
        return 1;
    }
    std::printf("\nfigures written to %s\n", options.jsonPath.c_str());
    return 0;
}
