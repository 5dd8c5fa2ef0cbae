// The benchmark's own arithmetic and options.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchOptions.h"
#include "bench/FrameStats.h"
#include "bench/Hitches.h"
#include "bench/RasterizerThreads.h"

namespace {

std::vector<double> Range(int from, int to)
{
    std::vector<double> values;
    for (int v = to; v >= from; --v)  // unsorted on purpose
        values.push_back(v);
    return values;
}

TEST(FrameStats, MedianMeanAndNearestRankPercentile)
{
    struct Case {
        std::vector<double> values;
        int count;
        double median, mean, p99, max;
    };
    const std::vector<Case> cases = {
        {{}, 0, 0, 0, 0, 0},
        {{5}, 1, 5, 5, 5, 5},
        {{4, 1, 3, 2}, 4, 2.5, 2.5, 4, 4},
        {Range(1, 100), 100, 50.5, 50.5, 99, 100},
        {Range(1, 1000), 1000, 500.5, 500.5, 990, 1000},
        {Range(1, 101), 101, 51, 51, 100, 101},
    };
    for (const Case& c : cases) {
        const FrameStats stats = Summarise(c.values);
        EXPECT_EQ(stats.count, c.count);
        EXPECT_DOUBLE_EQ(stats.median, c.median) << c.count;
        EXPECT_DOUBLE_EQ(stats.mean, c.mean) << c.count;
        EXPECT_DOUBLE_EQ(stats.p99, c.p99) << c.count;
        EXPECT_DOUBLE_EQ(stats.max, c.max) << c.count;
    }
}

TEST(BenchOptions, OffscreenOptionsAndTheBenchOwn)
{
    struct Case {
        std::vector<const char*> args;
        bool ok;
        size_t sizes;
        int frames;
        double stepMs;
        unsigned seed;
        const char* errorPart;
    };
    const std::vector<Case> cases = {
        {{}, true, 3, 1500, 40.0, 7, ""},
        {{"--size", "320x200", "--seed", "3"}, true, 1, 1500, 40.0, 3, ""},
        {{"--short"}, true, 1, 300, 200.0, 7, ""},
        {{"--no-warm-up", "--size", "64x48"}, true, 1, 1500, 40.0, 7, ""},
        {{"--short", "--frames", "50", "--step", "10"}, true, 1, 50, 10.0, 7, ""},
        {{"--endurance", "--days", "2"}, true, 3, 1500, 40.0, 7, ""},
        {{"--short", "--endurance", "--days", "30"}, true, 1, 300, 200.0, 7, ""},
        {{"--slow-rasterizer", "--endurance"}, true, 3, 1500, 40.0, 7, ""},
        {{"--leak", "-1"}, false, 0, 0, 0, 0, "--leak"},
        {{"--size", "0x5"}, false, 0, 0, 0, 0, "--size"},
        {{"--days", "0"}, false, 0, 0, 0, 0, "--days"},
        {{"--json"}, false, 0, 0, 0, 0, "--json needs a value"},
        {{"--model", "A"}, false, 0, 0, 0, 0, "does not apply"},
        {{"--step", "0"}, false, 0, 0, 0, 0, "--step"},
        {{"--wobble"}, false, 0, 0, 0, 0, "unknown option"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"quillmoor_bench"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        BenchOptions options;
        std::string error;
        const bool ok = ParseBenchOptions(static_cast<int>(argv.size()), argv.data(), options, error);
        const std::string what = c.args.empty() ? "(none)" : c.args[0];
        ASSERT_EQ(ok, c.ok) << what << ": " << error;
        if (!ok) {
            EXPECT_NE(error.find(c.errorPart), std::string::npos) << what << ": " << error;
            continue;
        }
        EXPECT_EQ(options.sizes.size(), c.sizes) << what;
        EXPECT_EQ(options.frames, c.frames) << what;
        EXPECT_DOUBLE_EQ(options.stepMs, c.stepMs) << what;
        EXPECT_EQ(options.seed, c.seed) << what;
        EXPECT_EQ(options.warmUp, what != "--no-warm-up") << what;
        // --short shortens the endurance run only when --days is not given.
        int days = 30;
        for (size_t a = 0; a < c.args.size(); ++a) {
            if (std::string(c.args[a]) == "--short" && days == 30)
                days = 4;
            if (std::string(c.args[a]) == "--days")
                days = std::atoi(c.args[a + 1]);
        }
        EXPECT_EQ(options.days, days) << what;
    }
}

// The endurance run takes the driver's threads away unless told otherwise,
// and never overrides a count the environment gives.
TEST(RasterizerThreads, ChosenOnlyWhereTheEnvironmentIsSilent)
{
    struct Case {
        const char* given;  // nullptr: unset
        bool slow;
        RasterizerThreads chosen;
        const char* after;
    };
    const Case cases[] = {
        {nullptr, false, RasterizerThreads::kNone, "0"},
        {"3", false, RasterizerThreads::kFromEnvironment, "3"},
        {nullptr, true, RasterizerThreads::kSlowed, "2"},
        {"4", true, RasterizerThreads::kSlowed, "4"},
    };
    const char* saved = std::getenv("LP_NUM_THREADS");
    const std::string before = saved ? saved : "";
    for (const Case& c : cases) {
        if (c.given)
            setenv("LP_NUM_THREADS", c.given, 1);
        else
            unsetenv("LP_NUM_THREADS");
        EXPECT_EQ(ChooseRasterizerThreads(c.slow), c.chosen) << (c.given ? c.given : "unset") << " " << c.slow;
        EXPECT_STREQ(std::getenv("LP_NUM_THREADS"), c.after);
    }
    if (saved)
        setenv("LP_NUM_THREADS", before.c_str(), 1);
    else
        unsetenv("LP_NUM_THREADS");
}

// A frame of `ms` wall time (the CPU time the other way round, so that the
// two costs pick different frames) with the events named in `events`:
// s(epia), f(lip), g(low), l(ink), r(estyle).
FrameRecord Frame(double ms, const char* events = "")
{
    FrameRecord frame;
    frame.ms = ms;
    frame.cpuMs = 100.0 - ms;
    const std::string text = events;
    frame.sepia = text.find('s') != std::string::npos;
    frame.flip = text.find('f') != std::string::npos;
    frame.glow = text.find('g') != std::string::npos;
    frame.link = text.find('l') != std::string::npos;
    frame.restyle = text.find('r') != std::string::npos;
    return frame;
}

TEST(Hitches, WorstFrameAfterTheFirstWithItsEvents)
{
    struct Case {
        const char* what;
        std::vector<FrameRecord> frames;
        double median;
        bool byCpu;
        bool found;
        int frame;
        double overMedian;
        const char* events;
    };
    const std::vector<Case> cases = {
        {"no frames", {}, 1, false, false, 0, 0, ""},
        {"only the first", {Frame(50)}, 1, false, false, 0, 0, ""},
        {"the first is left out", {Frame(90), Frame(2), Frame(8, "g"), Frame(3)}, 2, false, true, 2, 4, "colour, first glow"},
        {"a tie keeps the earlier", {Frame(1), Frame(6, "g"), Frame(6, "gl")}, 2, false, true, 1, 3, "colour, first glow"},
        {"a glow seen before", {Frame(1, "g"), Frame(2, "g"), Frame(9, "gl")}, 3, false, true, 2, 3, "colour, glow, first link"},
        {"flips by direction", {Frame(1), Frame(2, "sf"), Frame(2, "f"), Frame(7, "sf")}, 1, false, true, 3, 7,
         "sepia, flip to sepia"},
        {"first flip to colour", {Frame(1), Frame(2, "sf"), Frame(9, "f")}, 1, false, true, 2, 9, "colour, first flip to colour"},
        {"restyle", {Frame(1), Frame(3, "sr"), Frame(2)}, 1.5, false, true, 1, 2, "sepia, first restyle"},
        {"no median", {Frame(1), Frame(3)}, 0, false, true, 1, 0, "colour"},
        {"by CPU time", {Frame(1), Frame(95, "g"), Frame(10, "l")}, 45, true, true, 2, 2, "colour, first link"},
    };
    for (const Case& c : cases) {
        const Hitch hitch = WorstAfterFirst(c.frames, c.median, c.byCpu ? &FrameRecord::cpuMs : &FrameRecord::ms);
        ASSERT_EQ(hitch.found, c.found) << c.what;
        if (!hitch.found)
            continue;
        EXPECT_EQ(hitch.frame, c.frame) << c.what;
        EXPECT_DOUBLE_EQ(hitch.overMedian, c.overMedian) << c.what;
        EXPECT_EQ(hitch.events, c.events) << c.what;
        // Both costs are the ranked frame's, whichever cost ranked it.
        EXPECT_DOUBLE_EQ(hitch.wallMs, c.frames[c.frame].ms) << c.what;
        EXPECT_DOUBLE_EQ(hitch.cpuMs, c.frames[c.frame].cpuMs) << c.what;
    }
}

TEST(Hitches, AStallIsAFrameWhoseProcessWaitedForAQuarterOfItOrMore)
{
    // {wall, CPU, stall}: threads side by side; a wait of 1.9 ms, under a
    // quarter of 8; 2 ms, a quarter; most of the frame; no frame at all.
    const double cases[][3] = {{8, 16, 0}, {8, 6.1, 0}, {8, 6, 1}, {8, 2, 1}, {0, 0, 0}};
    for (const auto& c : cases) {
        Hitch hitch;
        hitch.wallMs = c[0];
        hitch.cpuMs = c[1];
        EXPECT_EQ(hitch.IsStall(), c[2] != 0) << c[0] << " ms wall, " << c[1] << " ms CPU";
    }
}

}  // namespace
