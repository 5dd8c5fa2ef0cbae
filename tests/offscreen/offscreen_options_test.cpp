#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/offscreen/OffscreenOptions.h"

namespace {

struct Parsed {
    bool ok;
    OffscreenOptions options;
    std::string error;
};

Parsed Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "quillmoor");
    Parsed parsed;
    parsed.ok = ParseOffscreenOptions(static_cast<int>(args.size()), args.data(), parsed.options, parsed.error);
    return parsed;
}

TEST(OffscreenOptions, DefaultsAndEveryOption)
{
    Parsed plain = Parse({"--offscreen"});
    ASSERT_TRUE(plain.ok);
    EXPECT_EQ(plain.options.frames, 1);
    EXPECT_EQ(plain.options.width, 640);
    EXPECT_EQ(plain.options.height, 480);
    EXPECT_EQ(plain.options.outDir, "frames");
    EXPECT_FALSE(plain.options.simulatedClock);
    EXPECT_FALSE(plain.options.seedGiven);

    Parsed full = Parse({"--offscreen", "--frames", "30", "--size", "800x600", "--out", "d", "--seed", "7",
                         "--start", "25", "--step", "10", "--model", "B1", "--sepia", "--no-png", "--renderer", "default"});
    ASSERT_TRUE(full.ok) << full.error;
    EXPECT_EQ(full.options.frames, 30);
    EXPECT_EQ(full.options.width, 800);
    EXPECT_EQ(full.options.height, 600);
    EXPECT_EQ(full.options.outDir, "d");
    EXPECT_TRUE(full.options.seedGiven);
    EXPECT_EQ(full.options.seed, 7u);
    EXPECT_TRUE(full.options.simulatedClock);
    EXPECT_DOUBLE_EQ(full.options.startSeconds, 25.0);
    EXPECT_DOUBLE_EQ(full.options.stepMs, 10.0);
    EXPECT_EQ(full.options.model, "B1");
    EXPECT_TRUE(full.options.sepia);
    EXPECT_FALSE(full.options.writeImages);
    EXPECT_EQ(full.options.renderer, "default");
    EXPECT_EQ(plain.options.renderer, "");
}

TEST(OffscreenOptions, EitherClockOptionTurnsTheSimulatedClockOn)
{
    Parsed start = Parse({"--offscreen", "--start", "25"});
    ASSERT_TRUE(start.ok);
    EXPECT_TRUE(start.options.simulatedClock);
    EXPECT_DOUBLE_EQ(start.options.stepMs, 40.0);
    Parsed step = Parse({"--offscreen", "--step", "33"});
    ASSERT_TRUE(step.ok);
    EXPECT_TRUE(step.options.simulatedClock);
    EXPECT_DOUBLE_EQ(step.options.startSeconds, 0.0);
}

TEST(OffscreenOptions, BadValuesNameTheProblem)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--size", "0x0"},       {"--size", "640"},          {"--size", "640x"},      {"--size", "x480"},
        {"--size", "-5x10"},     {"--size", "99999x10"},     {"--size", "64x48junk"}, {"--frames", "-3"},
        {"--frames", "0"},       {"--frames", "ten"},        {"--frames", "99999999999"},
        {"--frames"},            {"--seed", "-1"},           {"--seed", "4294967296"}, {"--start", "nan"},
        {"--start", "-1"},       {"--step", "inf"},          {"--step", "1e300"},     {"--out", ""},
        {"--bogus"},             {"-x"},                     {"--renderer", "gpu"},   {"--renderer"},
        {"--model", ""},         {"--sepia"},
        // Run-ups past the limit, the first beyond any whole number.
        {"--start", "1", "--step", "1e-300"}, {"--start", "31622400", "--step", "1"}, {"--start", "86401"},
    };
    for (const auto& args : bad) {
        std::vector<const char*> line = {"--offscreen"};
        line.insert(line.end(), args.begin(), args.end());
        Parsed parsed = Parse(line);
        EXPECT_FALSE(parsed.ok) << args[0];
        EXPECT_FALSE(parsed.error.empty());
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
        EXPECT_NE(parsed.error.find(args[0]), std::string::npos) << parsed.error;
    }
}

TEST(OffscreenOptions, RecognisesTheOffscreenSwitchAnywhere)
{
    const char* first[] = {"quillmoor", "--offscreen"};
    const char* later[] = {"quillmoor", "--frames", "2", "--offscreen"};
    const char* none[] = {"quillmoor", "/s"};
    EXPECT_TRUE(WantsOffscreen(2, first));
    EXPECT_TRUE(WantsOffscreen(4, later));
    EXPECT_FALSE(WantsOffscreen(2, none));
    EXPECT_FALSE(WantsOffscreen(1, none));
}

}  // namespace
