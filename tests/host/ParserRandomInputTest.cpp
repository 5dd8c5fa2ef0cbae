// Many random inputs through the command-line parser: it must never crash,
// and must agree with a simple reference.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>

#include "host/CommandLine.h"
#include "tests/support/RandomText.h"

namespace {

// strtoul where long has 32 bits, through strtoull: a magnitude past 32 bits
// saturates, a minus negates modulo 2^32.
uint32_t ReferenceWindowId(const std::string& text)
{
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    const size_t sign = text.find_first_not_of(" \t\n\v\f\r");
    const bool negative = sign != std::string::npos && text[sign] == '-';
    const unsigned long long magnitude = negative ? 0ull - value : value;
    if (errno == ERANGE || magnitude > UINT32_MAX)
        return UINT32_MAX;
    return static_cast<uint32_t>(value);
}

TEST(ParserRandomInput, CommandLineNumbersMatchReferenceStrtoul)
{
    std::mt19937 random(12345);
    const std::string alphabet = " \t\n+-0123456789999:x";
    for (int k = 0; k < 20000; ++k) {
        const std::string number = RandomText(random, alphabet, 30);
        ASSERT_EQ(DecimalPrefixToWindowId(number.c_str()), ReferenceWindowId(number)) << "[" << number << "]";
        const SaverCommandLine parsed = ParseSaverCommandLine(("saver /p" + number).c_str());
        ASSERT_EQ(parsed.mode, kRunModePreview);
        const size_t start = number.find_first_not_of(" :");
        ASSERT_EQ(parsed.window, start == std::string::npos ? 0u : ReferenceWindowId(number.substr(start)));
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
            ASSERT_EQ(parsed.window, 0u);
        }
        ASSERT_TRUE(!parsed.ownerIsForeground || parsed.mode == kRunModeConfigure);
    }
}

}  // namespace
