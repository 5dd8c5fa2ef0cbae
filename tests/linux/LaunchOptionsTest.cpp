#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linux/LaunchOptions.h"

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
    // A broken variable is ignored; explicit saver switches are not overridden.
    EXPECT_EQ(Parse({"-root"}, "junk").kind, LaunchOptions::Kind::Root);
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
    EXPECT_TRUE(ParseWindowId("0xFFFFFFFF", id));
    EXPECT_EQ(id, 0xFFFFFFFFul);
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
        {{"/p", "--version"}, nullptr, Kind::SaverCommandLine},
        // Windows' switches are single letters: these still show nothing.
        {{"/h"}, nullptr, Kind::SaverCommandLine},
        {{"-?"}, nullptr, Kind::SaverCommandLine},
        {{"--helpme"}, nullptr, Kind::SaverCommandLine},
        {{"--offscreen", "--help"}, nullptr, Kind::SaverCommandLine},
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

}  // namespace
