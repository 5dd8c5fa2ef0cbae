// Many random inputs through the command-line parser: it must never crash,
// and must agree with a simple reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>

#include "host/CommandLine.h"
#include "tests/support/RandomText.h"

namespace {

// atoi with the overflow pinned to the 32-bit limits, through strtoll.
int32_t ReferenceAtoi(const std::string& text)
{
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

TEST(ParserRandomInput, CommandLineNumbersMatchReferenceAtoi)
{
    std::mt19937 random(12345);
    const std::string alphabet = " \t\n+-0123456789999:x";
    for (int k = 0; k < 20000; ++k) {
        const std::string number = RandomText(random, alphabet, 30);
        ASSERT_EQ(DecimalPrefixToInt32(number.c_str()), ReferenceAtoi(number)) << "[" << number << "]";
        const SaverCommandLine parsed = ParseSaverCommandLine(("saver /p" + number).c_str());
        ASSERT_EQ(parsed.mode, kRunModePreview);
        const size_t start = number.find_first_not_of(" :");
        ASSERT_EQ(parsed.window, start == std::string::npos ? 0 : ReferenceAtoi(number.substr(start)));
    }
}

TEST(ParserRandomInput, CommandLinesOfAnyBytesGiveAKnownMode)
{
    std::mt19937 random(777);
    std::string anyByte;
    for (int c = 1; c < 256; ++c)
        anyByte += static_cast<char>(c);
    const std::string saverish = " \"/-:pPlLsScCaAx0123456789";
    for (int k = 0; k < 20000; ++k) {
        const std::string line = RandomText(random, k % 2 ? anyByte : saverish, 40);
        const SaverCommandLine parsed = ParseSaverCommandLine(line.c_str());
        ASSERT_GE(parsed.mode, kRunModeNone);
        ASSERT_LE(parsed.mode, kRunModeSaver);
        if (parsed.mode == kRunModeSaver || parsed.mode == kRunModeNone) {
            ASSERT_EQ(parsed.window, 0);
        }
        ASSERT_TRUE(!parsed.ownerIsForeground || parsed.mode == kRunModeConfigure);
    }
}

}  // namespace
