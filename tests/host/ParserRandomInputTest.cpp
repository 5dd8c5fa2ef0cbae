// Many random and mutated inputs through the command-line and settings-file
// parsers: they must never crash, and must agree with simple references.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>

#include "host/CommandLine.h"
#include "host/SettingsStore.h"
#include "platform/linux/SettingsFile.h"

namespace {

std::string RandomText(std::mt19937& random, const std::string& alphabet, size_t maxLength)
{
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::string text(length(random), ' ');
    for (char& c : text)
        c = alphabet[pick(random)];
    return text;
}

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

TEST(ParserRandomInput, SettingsFilesRoundTripAndSurviveMutation)
{
    std::mt19937 random(4242);
    const std::string nameChars = "abcXYZ 09_\\.";
    const std::string valueChars = "abc 0123456789-+=[];#";
    for (int k = 0; k < 2000; ++k) {
        // A well-formed file of random names and values reads back as written.
        std::map<std::string, std::map<std::string, std::string>> written;
        std::string text;
        const int sections = static_cast<int>(random() % 4);
        for (int s = 0; s < sections; ++s) {
            std::string section = RandomText(random, nameChars, 10);
            section.erase(0, section.find_first_not_of(' '));
            if (section.empty() || section.back() == ' ')
                section += 'S';
            for (char& c : section)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            text += "[" + section + "]\n";
            const int values = static_cast<int>(random() % 4);
            for (int v = 0; v < values; ++v) {
                std::string name = "n" + RandomText(random, "abcdefgh", 6);
                std::string value = RandomText(random, valueChars, 12);
                value.erase(0, value.find_first_not_of(' '));
                while (!value.empty() && value.back() == ' ')
                    value.pop_back();
                text += name + " = " + value + "\n";
                written[section][name] = value;
            }
        }
        const SettingsDocument document = ParseSettingsText(text);
        for (const auto& [section, values] : written)
            for (const auto& [name, value] : values) {
                const std::string* found = document.Find(section, name);
                ASSERT_NE(found, nullptr) << text;
                ASSERT_EQ(*found, value) << text;
            }

        // Mutated copies (bytes flipped, cut, NULs inserted) parse without harm.
        for (int m = 0; m < 5; ++m) {
            std::string mutated = text;
            const int edits = 1 + static_cast<int>(random() % 6);
            for (int e = 0; e < edits && !mutated.empty(); ++e) {
                const size_t at = random() % mutated.size();
                switch (random() % 3) {
                case 0: mutated[at] = static_cast<char>(random() % 256); break;
                case 1: mutated.erase(at, random() % 8); break;
                default: mutated.insert(at, 1, '\0'); break;
                }
            }
            const SettingsDocument parsed = ParseSettingsText(mutated);
            for (const auto& [section, values] : parsed.sections)
                for (const auto& [name, value] : values) {
                    StoredValue stored;
                    stored.kind = StoredValue::Kind::Text;
                    stored.text = value;
                    int32_t field = 0;
                    DecodeStoredInt32(stored, field);
                    ASSERT_FALSE(name.empty());
                }
        }
    }
}

}  // namespace
