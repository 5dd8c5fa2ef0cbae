#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "host/MainLoop.h"

namespace {

// Scripted loop: each entry of `script` is what one DispatchNextMessage call
// finds; frames answer from `frameResults` in turn.
class ScriptedLoop : public MainLoopPlatform {
public:
    Pump DispatchNextMessage() override
    {
        if (script.empty())
            return Pump::Quit;  // never loop forever in a test
        const Pump next = script.front();
        script.pop_front();
        if (next == Pump::Dispatched)
            log.push_back("message");
        return next;
    }
    bool RenderFrame() override
    {
        log.push_back("frame");
        const bool swap = frameResults.empty() ? true : frameResults.front();
        if (!frameResults.empty())
            frameResults.pop_front();
        return swap;
    }
    void SwapBuffers() override { log.push_back("swap"); }
    void Sleep(unsigned ms) override { log.push_back("sleep " + std::to_string(ms)); }

    std::deque<Pump> script;
    std::deque<bool> frameResults;
    std::vector<std::string> log;
};

using Pump = MainLoopPlatform::Pump;

TEST(MainLoop, DrainsAllMessagesBeforeEachFrameAndSwapsOnlyWhenAsked)
{
    ScriptedLoop loop;
    loop.script = {Pump::Dispatched, Pump::Dispatched, Pump::Dispatched, Pump::Empty,
                   Pump::Empty, Pump::Dispatched, Pump::Empty, Pump::Quit};
    loop.frameResults = {true, false, true};
    RunMainLoop(loop);
    const std::vector<std::string> expected = {
        "message", "message", "message", "frame", "swap", "sleep 10",
        "frame", "sleep 10",  // a frame that drew nothing to the back buffer: no swap, same pause
        "message", "frame", "swap", "sleep 10",
    };
    EXPECT_EQ(loop.log, expected);
}

TEST(MainLoop, QuitEndsTheLoopBeforeAnyFurtherFrame)
{
    ScriptedLoop loop;
    loop.script = {Pump::Dispatched, Pump::Quit, Pump::Empty};
    RunMainLoop(loop);
    const std::vector<std::string> expected = {"message"};
    EXPECT_EQ(loop.log, expected);
    EXPECT_EQ(loop.script.size(), 1u) << "nothing is read after the quit message";
}

}  // namespace
