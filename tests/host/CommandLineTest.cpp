#include <gtest/gtest.h>

#include <climits>

#include "host/CommandLine.h"

namespace {

struct LineCase {
    const char* line;
    RunMode mode;
    uint32_t window;
    bool foreground;
};

void ExpectParse(const LineCase& c)
{
    const SaverCommandLine parsed = ParseSaverCommandLine(c.line);
    EXPECT_EQ(parsed.mode, c.mode) << "line: [" << c.line << "]";
    EXPECT_EQ(parsed.window, c.window) << "line: [" << c.line << "]";
    EXPECT_EQ(parsed.ownerIsForeground, c.foreground) << "line: [" << c.line << "]";
}

TEST(CommandLine, EveryDocumentedTailIsAccepted)
{
    const LineCase cases[] = {
        {"saver.scr /s", kRunModeSaver, 0, false},
        {"saver.scr -S", kRunModeSaver, 0, false},
        {"saver.scr s", kRunModeSaver, 0, false},
        {"saver.scr /p 1234", kRunModePreview, 1234, false},
        {"saver.scr /p:1234", kRunModePreview, 1234, false},
        {"saver.scr /l1234", kRunModePreview, 1234, false},
        {"saver.scr /L : :77", kRunModePreview, 77, false},
        {"saver.scr /c:56", kRunModeConfigure, 56, false},
        {"saver.scr /a 78", kRunModeChangePassword, 78, false},
        {"saver.scr /A", kRunModeChangePassword, 0, false},
    };
    for (const LineCase& c : cases)
        ExpectParse(c);
}

TEST(CommandLine, EmptyOrBlankTailConfiguresWithoutOwner)
{
    const LineCase cases[] = {
        {"saver.scr", kRunModeConfigure, 0, false},
        {"saver.scr ", kRunModeConfigure, 0, false},
        {"saver.scr      ", kRunModeConfigure, 0, false},
        {"", kRunModeConfigure, 0, false},
        {"\"C:\\My Savers\\saver.scr\"", kRunModeConfigure, 0, false},
        {"saver.scr\t/s", kRunModeConfigure, 0, false},  // no blank: all of it is the name
    };
    for (const LineCase& c : cases)
        ExpectParse(c);
    EXPECT_EQ(ParseSaverCommandLine(nullptr).mode, kRunModeConfigure);
}

TEST(CommandLine, QuotedProgramNameIsSkippedWholeAndUnquotedEndsAtFirstBlank)
{
    const LineCase cases[] = {
        {"\"C:\\Program Files\\My Saver\\saver.scr\" /p 66", kRunModePreview, 66, false},
        // Unclosed quote: the whole line is the name.
        {"\"C:\\Program Files\\saver.scr /p 66", kRunModeConfigure, 0, false},
        // Unquoted: "Files\..." is read as the switch ('F' is not one).
        {"C:\\Program Files\\saver.scr /p 66", kRunModeNone, 0, false},
        // The closing quote is the separator itself.
        {"\"saver.scr\"/s", kRunModeSaver, 0, false},
        {"\"saver.scr\"x/s", kRunModeNone, 0, false},
        {"\"saver.scr\"  /s", kRunModeSaver, 0, false},
    };
    for (const LineCase& c : cases)
        ExpectParse(c);
}

TEST(CommandLine, ConfigureOwnerIsForegroundOnlyWithoutANumber)
{
    const LineCase cases[] = {
        {"saver.scr /c", kRunModeConfigure, 0, true},
        {"saver.scr /c : ", kRunModeConfigure, 0, true},
        {"saver.scr /c:0", kRunModeConfigure, 0, false},
        {"saver.scr /c x", kRunModeConfigure, 0, false},
        {"saver.scr /C 12", kRunModeConfigure, 12, false},
    };
    for (const LineCase& c : cases)
        ExpectParse(c);
}

TEST(CommandLine, UnknownSwitchesShowNothing)
{
    const LineCase cases[] = {
        {"saver.scr /x", kRunModeNone, 0, false},
        {"saver.scr -", kRunModeNone, 0, false},
        {"saver.scr /", kRunModeNone, 0, false},
        {"saver.scr //s", kRunModeNone, 0, false},
        {"saver.scr -root", kRunModeNone, 0, false},
        {"saver.scr /\ts", kRunModeNone, 0, false},  // tabs are not separators
    };
    for (const LineCase& c : cases)
        ExpectParse(c);
}

TEST(CommandLine, OnlyOneSwitchAndItsNumberAreRead)
{
    const LineCase cases[] = {
        {"saver.scr /p 12 /s", kRunModePreview, 12, false},
        {"saver.scr /s /p 12", kRunModeSaver, 0, false},
        {"saver.scr /p 12abc", kRunModePreview, 12, false},
        {"saver.scr /p", kRunModePreview, 0, false},
        {"saver.scr /p abc", kRunModePreview, 0, false},
        {"saver.scr /pause", kRunModePreview, 0, false},
        {"saver.scr /silent", kRunModeSaver, 0, false},
    };
    for (const LineCase& c : cases)
        ExpectParse(c);
}

TEST(CommandLine, WindowIdsAreUnsigned32BitWithoutOverflow)
{
    const LineCase cases[] = {
        {"saver.scr /p -5", kRunModePreview, 4294967291u, false},  // atoi's -5, as 32 bits
        {"saver.scr /p +9", kRunModePreview, 9, false},
        {"saver.scr /p \t 42", kRunModePreview, 42, false},  // skips the tab itself
        {"saver.scr /p 2147483648", kRunModePreview, 2147483648u, false},
        {"saver.scr /c:4294967295", kRunModeConfigure, UINT32_MAX, false},
        {"saver.scr /p 4294967296", kRunModePreview, UINT32_MAX, false},
        {"saver.scr /p 99999999999999999999999999999", kRunModePreview, UINT32_MAX, false},
        {"saver.scr /p -2147483648", kRunModePreview, 2147483648u, false},
        {"saver.scr /p -4294967296", kRunModePreview, UINT32_MAX, false},
        {"saver.scr /a 00000000000000000000000000000000000012", kRunModeChangePassword, 12, false},
    };
    for (const LineCase& c : cases)
        ExpectParse(c);
    EXPECT_EQ(DecimalPrefixToWindowId("- 5"), 0u);
    EXPECT_EQ(DecimalPrefixToWindowId(""), 0u);
    EXPECT_EQ(DecimalPrefixToWindowId(nullptr), 0u);
}

}  // namespace
