#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linux/LaunchOptions.h"
#include "platform/linux/WindowSystemChoice.h"

namespace {

LaunchOptions Parse(std::vector<const char*> args, const char* daemonWindow = nullptr)
{
    args.insert(args.begin(), "quillmoor");
    return ParseLaunchArguments(static_cast<int>(args.size()), args.data(), daemonWindow);
}

TEST(LaunchOptions, SaverSwitchesBecomeOneCommandLine)
{
    EXPECT_EQ(Parse({}).commandLine, "\"quillmoor\"");
    const LaunchOptions preview = Parse({"/p", "1234"});
    EXPECT_EQ(preview.kind, LaunchOptions::Kind::SaverCommandLine);
    EXPECT_EQ(preview.commandLine, "\"quillmoor\" /p 1234");
    // A daemon option after a saver switch is just part of the line.
    EXPECT_EQ(Parse({"/s", "-root"}).kind, LaunchOptions::Kind::SaverCommandLine);
}

TEST(LaunchOptions, DaemonOptionsInEitherSpelling)
{
    EXPECT_EQ(Parse({"-root"}).kind, LaunchOptions::Kind::Root);
    EXPECT_EQ(Parse({"--root"}).kind, LaunchOptions::Kind::Root);
    EXPECT_EQ(Parse({"-window"}).kind, LaunchOptions::Kind::OrdinaryWindow);
    const LaunchOptions hex = Parse({"--window-id", "0x400008"});
    EXPECT_EQ(hex.kind, LaunchOptions::Kind::IntoWindow);
    EXPECT_EQ(hex.windowId, 0x400008ul);
    EXPECT_EQ(Parse({"-window-id", "4194312"}).windowId, 4194312ul);
}

TEST(LaunchOptions, DaemonWindowVariableWins)
{
    const LaunchOptions root = Parse({"-root"}, "0x200001");
    EXPECT_EQ(root.kind, LaunchOptions::Kind::IntoWindow);
    EXPECT_EQ(root.windowId, 0x200001ul);
    EXPECT_EQ(Parse({"-window-id", "5"}, "0x200001").windowId, 0x200001ul);
    EXPECT_EQ(Parse({}, "0x200001").kind, LaunchOptions::Kind::IntoWindow);
    // Explicit saver switches are not overridden.
    EXPECT_EQ(Parse({"/s"}, "0x200001").kind, LaunchOptions::Kind::SaverCommandLine);
    EXPECT_EQ(Parse({"-window"}, "0x200001").kind, LaunchOptions::Kind::OrdinaryWindow);
}

TEST(LaunchOptions, BadWindowIdsAndUnknownOptionsAreErrors)
{
    for (std::vector<const char*> args : std::vector<std::vector<const char*>>{
             {"-window-id"}, {"-window-id", "0"}, {"-window-id", "0x"}, {"-window-id", "12z"},
             {"-window-id", "0x100000000"}, {"-window-id", "-5"}, {"-window-id", ""},
             {"-window-id", "99999999999999999999999"}, {"-root", "--fps"}}) {
        const LaunchOptions options = Parse(args);
        EXPECT_EQ(options.kind, LaunchOptions::Kind::Invalid) << args.size();
        EXPECT_FALSE(options.error.empty());
    }
    unsigned long id = 0;
    EXPECT_TRUE(ParseWindowId("0x1FFFFFFF", id));
    EXPECT_EQ(id, 0x1FFFFFFFul);
    EXPECT_FALSE(ParseWindowId("0x20000000", id)) << "X ids leave the top three bits clear";
    EXPECT_TRUE(ParseWindowId("0XaBc", id));
    EXPECT_EQ(id, 0xABCul);
}

TEST(LaunchOptions, HelpAndVersionOnlyBeforeASaverSwitch)
{
    using Kind = LaunchOptions::Kind;
    const struct {
        std::vector<const char*> args;
        const char* daemonWindow;
        Kind kind;
    } cases[] = {
        {{"--help"}, nullptr, Kind::Help},
        {{"-help"}, nullptr, Kind::Help},
        {{"--version"}, nullptr, Kind::Version},
        {{"-version"}, nullptr, Kind::Version},
        {{"-root", "--help"}, nullptr, Kind::Help},
        {{"--window-id", "0x400008", "--version"}, nullptr, Kind::Version},
        {{"--help"}, "0x200001", Kind::Help},  // not drawn into the daemon's window
        {{"--version", "--help"}, nullptr, Kind::Version},
        // A saver switch and its number come first: the rest is not read.
        {{"/s", "--help"}, nullptr, Kind::SaverCommandLine},
        {{"/p", "66", "--version"}, nullptr, Kind::SaverCommandLine},
        // /p, like -window-id, takes the next word as its id.
        {{"/p", "--version"}, nullptr, Kind::Invalid},
        // Windows' switches are single letters: these still show nothing.
        {{"/h"}, nullptr, Kind::SaverCommandLine},
        {{"/?"}, nullptr, Kind::SaverCommandLine},
        {{"--offscreen", "--help"}, nullptr, Kind::Offscreen},
        // -window-id takes the next word as its id, whatever it is.
        {{"-window-id", "--help"}, nullptr, Kind::Invalid},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const char* arg : c.args)
            line += std::string(arg) + ' ';
        EXPECT_EQ(Parse(c.args, c.daemonWindow).kind, c.kind) << line;
    }
}

// What a user or a daemon's programs: line may type by mistake: every word
// starting with a dash that is neither a daemon option nor a dash-written
// saver switch is named in an error with the usage; the '/' switches keep
// their rule (an unknown one shows nothing).
TEST(LaunchOptions, OptionWords)
{
    using Kind = LaunchOptions::Kind;
    const struct {
        std::vector<const char*> args;
        Kind kind;
        const char* named;  // with Invalid: the word the message names
    } cases[] = {
        {{"-Root"}, Kind::Invalid, "'-Root'"},
        {{"--root=1"}, Kind::Invalid, "'--root=1'"},
        {{"-windowid", "5"}, Kind::Invalid, "'-windowid'"},
        {{"-offscreen"}, Kind::Invalid, "'-offscreen'"},
        {{"--offscreen=1"}, Kind::Invalid, "'--offscreen=1'"},
        {{"-frames", "3"}, Kind::Invalid, "'-frames'"},
        {{"-x"}, Kind::Invalid, "'-x'"},
        {{"-?"}, Kind::Invalid, "'-?'"},
        {{"--helpme"}, Kind::Invalid, "'--helpme'"},
        {{"-sx"}, Kind::Invalid, "'-sx'"},
        {{"-root", "-Window"}, Kind::Invalid, "'-Window'"},
        {{"--offscreen"}, Kind::Offscreen, nullptr},
        {{"-s"}, Kind::SaverCommandLine, nullptr},
        {{"-S"}, Kind::SaverCommandLine, nullptr},
        {{"-p", "66"}, Kind::SaverCommandLine, nullptr},
        {{"-p:66"}, Kind::SaverCommandLine, nullptr},
        {{"-L66"}, Kind::SaverCommandLine, nullptr},
        {{"-c"}, Kind::SaverCommandLine, nullptr},
        {{"-c:56"}, Kind::SaverCommandLine, nullptr},
        {{"-a", "78"}, Kind::SaverCommandLine, nullptr},
        {{"-"}, Kind::SaverCommandLine, nullptr},
        {{"/x"}, Kind::SaverCommandLine, nullptr},
        {{"/Root"}, Kind::SaverCommandLine, nullptr},
        {{"/s", "-junk"}, Kind::SaverCommandLine, nullptr},
    };
    for (const auto& c : cases) {
        const LaunchOptions options = Parse(c.args);
        EXPECT_EQ(options.kind, c.kind) << c.args[0];
        if (c.named) {
            EXPECT_NE(options.error.find(c.named), std::string::npos) << options.error;
            EXPECT_TRUE(options.showUsage) << c.args[0];
        }
    }
}

// The preview's window id: decimal as the system passes it, and a message
// that says what is wrong with anything else.
TEST(LaunchOptions, PreviewWindowIds)
{
    const struct {
        const char* line;
        const char* error;  // a piece of the message, or null when accepted
    } cases[] = {
        {"66", nullptr},
        {"1293 anything after", nullptr},
        {"536870911", nullptr},
        {"0x50d", "is hexadecimal, write /p 1293"},
        {"0X50D", "is hexadecimal, write /p 1293"},
        {"4294967295", "/p 4294967295: no X window has an id above 536870911"},
        {"99999999999999999999", "no X window has an id above"},
        {"536870912", "no X window has an id above"},
        {"0", "needs the id of a window"},
        {"", "needs the id of a window"},
        {"abc", "not 'abc'"},
        {"-5", "not '-5'"},
    };
    for (const auto& c : cases) {
        for (const char* form : {"/p", "/l", "-p"}) {
            const LaunchOptions options = Parse({form, c.line});
            if (!c.error) {
                EXPECT_EQ(options.kind, LaunchOptions::Kind::SaverCommandLine) << form << ' ' << c.line;
                continue;
            }
            EXPECT_EQ(options.kind, LaunchOptions::Kind::Invalid) << form << ' ' << c.line;
            EXPECT_NE(options.error.find(c.error), std::string::npos) << options.error;
            EXPECT_EQ(options.error.find("2147483647"), std::string::npos) << options.error;
        }
    }
    // /c and /a keep the plain decimal reading: a bad owner is no owner.
    EXPECT_EQ(Parse({"/c", "0x50d"}).kind, LaunchOptions::Kind::SaverCommandLine);
    EXPECT_EQ(Parse({"/a", "junk"}).kind, LaunchOptions::Kind::SaverCommandLine);
}

// XSCREENSAVER_WINDOW is consulted by -root, -window-id and by no arguments
// at all; there anything but a window id is an error instead of the root.
TEST(LaunchOptions, DaemonWindowEnvironment)
{
    using Kind = LaunchOptions::Kind;
    const struct {
        const char* value;
        std::vector<const char*> args;
        Kind kind;
    } cases[] = {
        {"garbage", {"-root"}, Kind::Invalid},
        {"", {"-root"}, Kind::Root},
        {"", {}, Kind::SaverCommandLine},
        {"0", {"--root"}, Kind::Invalid},
        {"-5", {"-root"}, Kind::Invalid},
        {"0x", {"-window-id", "0x42"}, Kind::Invalid},
        {"garbage", {}, Kind::Invalid},
        {"0x400008", {"-root"}, Kind::IntoWindow},
        {"4194312", {}, Kind::IntoWindow},
        {nullptr, {"-root"}, Kind::Root},
        {nullptr, {}, Kind::SaverCommandLine},
        // Forms that never draw into the daemon's window do not look at it.
        {"garbage", {"-window"}, Kind::OrdinaryWindow},
        {"garbage", {"/s"}, Kind::SaverCommandLine},
        {"garbage", {"--help"}, Kind::Help},
    };
    for (const auto& c : cases) {
        const LaunchOptions options = Parse(c.args, c.value);
        EXPECT_EQ(options.kind, c.kind) << (c.value ? c.value : "(unset)") << ' ' << c.args.size();
        if (c.kind == Kind::Invalid) {
            EXPECT_NE(options.error.find("XSCREENSAVER_WINDOW"), std::string::npos) << options.error;
        }
    }
}

}  // namespace

TEST(LaunchOptions, WaylandOnlyForTheProgramsOwnWindows)
{
    const struct {
        std::vector<const char*> args;
        const char* daemonWindow;
        const char* waylandDisplay;
        bool wayland;
    } cases[] = {
        {{"/s"}, nullptr, "wayland-1", true},
        {{"-S"}, nullptr, "wayland-1", true},
        {{"-window"}, nullptr, "wayland-1", true},
        {{"-window"}, "0x200001", "wayland-1", true},
        {{"/s"}, nullptr, nullptr, false},
        {{"/s"}, nullptr, "", false},
        {{"-root"}, nullptr, "wayland-1", false},
        {{"-window-id", "5"}, nullptr, "wayland-1", false},
        {{}, "0x200001", "wayland-1", false},
        {{"/p", "1234"}, nullptr, "wayland-1", false},
        {{"/c"}, nullptr, "wayland-1", false},
        {{}, nullptr, "wayland-1", false},
    };
    for (const auto& each : cases) {
        const LaunchOptions launch = Parse(each.args, each.daemonWindow);
        EXPECT_EQ(UsesWayland(launch, each.waylandDisplay), each.wayland)
            << (each.args.empty() ? "(none)" : each.args[0]) << " WAYLAND_DISPLAY="
            << (each.waylandDisplay ? each.waylandDisplay : "(unset)");
    }
}
