#include <gtest/gtest.h>

#include "FakeSaverPlatform.h"
#include "host/SaverWindowProc.h"
#include "scene/DisplayScale.h"

namespace {

class SaverWindowProcTest : public ::testing::Test {
protected:
    SaverWindowContext Context(RunMode mode)
    {
        platform.settings = &settings;
        return SaverWindowContext{settings, mode, platform};
    }

    // Creates the window at `tick` with the cursor at `cursor`.
    void Create(RunMode mode, uint32_t tick = 1000, CursorPoint cursor = {100, 100})
    {
        platform.tick = tick;
        platform.cursor = cursor;
        DispatchSaverMessage(Context(mode), {SaverEvent::Create, 0});
    }

    // Delivers the close requests that input has posted, as the queue would.
    void DeliverPostedCloses(RunMode mode)
    {
        int pending = platform.postedCloses;
        platform.postedCloses = 0;
        while (pending-- > 0)
            DispatchSaverMessage(Context(mode), {SaverEvent::Close, 0});
    }

    SaverSettings settings;
    FakeSaverPlatform platform;
};

TEST_F(SaverWindowProcTest, CreateRecordsWindowCursorAndTick)
{
    Create(kRunModeSaver, 4242, {7, -3});
    EXPECT_EQ(settings.window, 0x1234u);
    EXPECT_EQ(settings.startCursor.x, 7);
    EXPECT_EQ(settings.startCursor.y, -3);
    EXPECT_EQ(settings.startTick, 4242u);
}

TEST_F(SaverWindowProcTest, InputInSaverModeRequestsCloseAndGraceDestroysWithoutPassword)
{
    const SaverEvent triggers[] = {SaverEvent::KeyDown, SaverEvent::LeftButtonDown, SaverEvent::RightButtonDown,
                                   SaverEvent::MiddleButtonDown};
    for (SaverEvent trigger : triggers) {
        settings = SaverSettings();
        platform = FakeSaverPlatform();
        Create(kRunModeSaver);
        DispatchSaverMessage(Context(kRunModeSaver), {trigger, 0});
        EXPECT_EQ(settings.closeRequested, 1);
        ASSERT_EQ(platform.postedCloses, 1);
        EXPECT_EQ(platform.destroyed, 0) << "the close waits for its queued message";
        DeliverPostedCloses(kRunModeSaver);
        EXPECT_EQ(platform.destroyed, 1);
        EXPECT_EQ(platform.quits, 1);
        EXPECT_EQ(platform.passwordPrompts, 0);
    }
}

TEST_F(SaverWindowProcTest, SystemKeysAndActivationGainDoNotDismiss)
{
    Create(kRunModeSaver);
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::SysKeyDown, 0});
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::Activate, 1});
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::ActivateApp, 0x00010000u | 1u});
    EXPECT_EQ(platform.postedCloses, 0);
    EXPECT_EQ(settings.closeRequested, 0);
    // Only the low 16 bits tell activation: a high word alone is a loss.
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::NcActivate, 0x00010000u});
    EXPECT_EQ(platform.postedCloses, 1);
}

TEST_F(SaverWindowProcTest, LosingActivationRequestsClose)
{
    for (SaverEvent event : {SaverEvent::Activate, SaverEvent::ActivateApp, SaverEvent::NcActivate}) {
        platform.postedCloses = 0;
        DispatchSaverMessage(Context(kRunModeSaver), {event, 0});
        EXPECT_EQ(platform.postedCloses, 1);
    }
}

TEST_F(SaverWindowProcTest, MouseThresholdIsExclusiveOnEachAxis)
{
    Create(kRunModeSaver, 1000, {100, 100});
    settings.mouseThreshold = 50;
    const CursorPoint still[] = {{150, 150}, {50, 50}, {150, 50}, {100, 100}};
    for (CursorPoint p : still) {
        platform.cursor = p;
        DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::MouseMove, 0});
    }
    EXPECT_EQ(platform.postedCloses, 0);
    const CursorPoint beyond[] = {{151, 100}, {100, 49}, {49, 150}, {100, 151}};
    for (CursorPoint p : beyond) {
        platform.postedCloses = 0;
        platform.cursor = p;
        DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::MouseMove, 0});
        EXPECT_EQ(platform.postedCloses, 1) << p.x << "," << p.y;
    }
}

TEST_F(SaverWindowProcTest, MouseThresholdIsTravelAt96Dpi)
{
    // 50 at 96 DPI is 100 pixels at 192.
    struct Case {
        int dpi;
        CursorPoint to;
        bool closes;
    };
    const Case cases[] = {
        {192, {190, 100}, false}, {192, {200, 0}, false}, {192, {201, 100}, true}, {192, {100, 210}, true},
        {96, {190, 100}, true},   {144, {175, 25}, false}, {144, {100, 176}, true},
    };
    for (const Case& c : cases) {
        settings = SaverSettings();
        platform = FakeSaverPlatform();
        SetDisplayDpi(c.dpi);
        Create(kRunModeSaver, 1000, {100, 100});
        platform.cursor = c.to;
        DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::MouseMove, 0});
        EXPECT_EQ(platform.postedCloses, c.closes ? 1 : 0) << c.dpi << " DPI to " << c.to.x << "," << c.to.y;
    }
    SetDisplayDpi(kBaseDpi);
}

TEST_F(SaverWindowProcTest, ZeroAndNegativeThresholdsAndExtremeCoordinates)
{
    Create(kRunModeSaver, 1000, {100, 100});
    settings.mouseThreshold = 0;
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::MouseMove, 0});
    EXPECT_EQ(platform.postedCloses, 0) << "no travel at all";
    platform.cursor = {101, 100};
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::MouseMove, 0});
    EXPECT_EQ(platform.postedCloses, 1) << "one pixel beats a zero threshold";

    // Far-apart coordinates must not overflow the difference.
    settings.startCursor = {INT32_MIN, INT32_MIN};
    settings.mouseThreshold = INT32_MAX;
    platform.cursor = {INT32_MAX, 0};
    platform.postedCloses = 0;
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::MouseMove, 0});
    EXPECT_EQ(platform.postedCloses, 1);
}

TEST_F(SaverWindowProcTest, GraceTimeIsInclusiveAndPasswordFollowsIt)
{
    settings.passwordDelay = 15;
    Create(kRunModeSaver, 1000);
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::KeyDown, 0});
    platform.tick = 1000 + 15000;
    DeliverPostedCloses(kRunModeSaver);
    EXPECT_EQ(platform.destroyed, 1);
    EXPECT_EQ(platform.passwordPrompts, 0);

    settings = SaverSettings();
    platform = FakeSaverPlatform();
    Create(kRunModeSaver, 1000);
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::KeyDown, 0});
    platform.tick = 1000 + 15001;
    DeliverPostedCloses(kRunModeSaver);
    EXPECT_EQ(platform.passwordPrompts, 1);
    EXPECT_EQ(platform.destroyed, 1) << "an accepted password closes";
}

TEST_F(SaverWindowProcTest, GraceSurvivesTickWrapAround)
{
    EXPECT_TRUE(WithinPasswordGrace(0xFFFFF000u, 0x00000100u, 15));   // 4,352 ms across the wrap
    EXPECT_FALSE(WithinPasswordGrace(0xFFFFF000u, 0x00003B00u, 15));  // 19,200 ms
    EXPECT_TRUE(WithinPasswordGrace(0xFFFFFFFFu, 0x00003A97u, 15));   // exactly 15,000 ms
    // A tick count behind the start (elapsed wraps to huge) is past the grace.
    EXPECT_FALSE(WithinPasswordGrace(5000, 4999, 15));
    // Delay products are formed in 32 unsigned bits, never as signed overflow.
    EXPECT_TRUE(WithinPasswordGrace(0, 4294966296u, -1));  // -1 * 1000 wraps to 4,294,966,296
    EXPECT_FALSE(WithinPasswordGrace(0, 4294966297u, -1));
    EXPECT_FALSE(WithinPasswordGrace(0, 1, 0));
    EXPECT_TRUE(WithinPasswordGrace(7, 7, 0));
    EXPECT_TRUE(WithinPasswordGrace(0, 4294967u * 1000u, 4294967));
}

TEST_F(SaverWindowProcTest, CloseNotRequestedBySaverIsIgnored)
{
    Create(kRunModeSaver);
    EXPECT_EQ(SaverWindowProc(Context(kRunModeSaver), {SaverEvent::Close, 0}), MessageResult::Handled);
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::Close, 0});
    EXPECT_EQ(platform.destroyed, 0);
    EXPECT_EQ(platform.passwordPrompts, 0);
}

TEST_F(SaverWindowProcTest, RefusedPasswordKeepsRunningAndMeasuresFromCursorAfterPrompt)
{
    settings.passwordDelay = 1;
    settings.mouseThreshold = 10;
    Create(kRunModeSaver, 0, {100, 100});
    platform.tick = 60000;
    platform.passwordAccepted = false;
    platform.cursorAfterPrompt = {400, 300};

    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::KeyDown, 0});
    platform.log.clear();
    DeliverPostedCloses(kRunModeSaver);
    EXPECT_EQ(platform.destroyed, 0);
    EXPECT_EQ(settings.closeRequested, 1);
    EXPECT_EQ(settings.inPasswordDialog, 0);
    const std::vector<std::string> expected = {"cursor-shown", "password", "cursor-hidden"};
    EXPECT_EQ(platform.log, expected);
    EXPECT_EQ(settings.startCursor.x, 400);
    EXPECT_EQ(settings.startCursor.y, 300);

    // Within 10 px of where the prompt left the cursor: still running.
    platform.cursor = {410, 290};
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::MouseMove, 0});
    EXPECT_EQ(platform.postedCloses, 0);
    platform.cursor = {411, 300};
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::MouseMove, 0});
    EXPECT_EQ(platform.postedCloses, 1);

    platform.passwordAccepted = true;
    DeliverPostedCloses(kRunModeSaver);
    EXPECT_EQ(platform.destroyed, 1);
}

TEST_F(SaverWindowProcTest, TriggersDuringPasswordPromptAreIgnored)
{
    Create(kRunModeSaver);
    settings.inPasswordDialog = 1;
    platform.cursor = {9999, 9999};
    for (SaverEvent event : {SaverEvent::KeyDown, SaverEvent::LeftButtonDown, SaverEvent::MouseMove,
                             SaverEvent::Activate})
        DispatchSaverMessage(Context(kRunModeSaver), {event, 0});
    EXPECT_EQ(platform.postedCloses, 0);
    settings.closeRequested = 1;
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::Close, 0});
    EXPECT_EQ(platform.destroyed, 0);
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::SetCursor, 0});
    EXPECT_TRUE(platform.cursorVisible);
}

TEST_F(SaverWindowProcTest, PreviewIgnoresInputShowsArrowAndClosesAtOnce)
{
    Create(kRunModePreview);
    platform.cursor = {5000, 5000};
    for (SaverEvent event : {SaverEvent::KeyDown, SaverEvent::LeftButtonDown, SaverEvent::RightButtonDown,
                             SaverEvent::MiddleButtonDown, SaverEvent::MouseMove, SaverEvent::Activate})
        DispatchSaverMessage(Context(kRunModePreview), {event, 0});
    EXPECT_EQ(platform.postedCloses, 0);
    DispatchSaverMessage(Context(kRunModePreview), {SaverEvent::SetCursor, 0});
    EXPECT_TRUE(platform.cursorVisible);

    EXPECT_EQ(SaverWindowProc(Context(kRunModePreview), {SaverEvent::Close, 0}), MessageResult::PassOn);
    DispatchSaverMessage(Context(kRunModePreview), {SaverEvent::Close, 0});
    EXPECT_EQ(platform.destroyed, 1);
    EXPECT_EQ(platform.quits, 1);
}

TEST_F(SaverWindowProcTest, CursorHiddenOnlyWhileDismissalAllowed)
{
    Create(kRunModeSaver);
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::SetCursor, 0});
    EXPECT_FALSE(platform.cursorVisible);
}

TEST_F(SaverWindowProcTest, CloseAndScreenSaveCommandsSwallowedOnlyInSaverMode)
{
    Create(kRunModeSaver);
    EXPECT_EQ(SaverWindowProc(Context(kRunModeSaver), {SaverEvent::SysCommand, kScClose}), MessageResult::Handled);
    EXPECT_EQ(SaverWindowProc(Context(kRunModeSaver), {SaverEvent::SysCommand, kScScreenSave}),
              MessageResult::Handled);
    EXPECT_EQ(SaverWindowProc(Context(kRunModeSaver), {SaverEvent::SysCommand, kScClose | 1}),
              MessageResult::PassOn);
    EXPECT_EQ(SaverWindowProc(Context(kRunModePreview), {SaverEvent::SysCommand, kScScreenSave}),
              MessageResult::PassOn);
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::SysCommand, kScClose});
    EXPECT_EQ(platform.destroyed, 0);
    // Elsewhere the close command closes the window.
    DispatchSaverMessage(Context(kRunModePreview), {SaverEvent::SysCommand, kScClose});
    EXPECT_EQ(platform.destroyed, 1);
}

TEST_F(SaverWindowProcTest, DestroyKillsATimerAndPostsQuit)
{
    settings.timerId = 7;
    DispatchSaverMessage(Context(kRunModeSaver), {SaverEvent::Destroy, 0});
    EXPECT_EQ(settings.timerId, 0);
    const std::vector<std::string> expected = {"kill-timer", "quit"};
    EXPECT_EQ(platform.log, expected);
}

}  // namespace
