#pragma once
#include <deque>
#include <string>
#include <vector>

#include "host/SaverPlatform.h"
#include "host/SaverWindowProc.h"

// A scripted window system: the cursor and tick count are set by the test,
// posted closes queue up, and every call is logged.
class FakeSaverPlatform : public SaverPlatform {
public:
    WindowHandle Window() override { return 0x1234; }
    CursorPoint CursorPosition() override { return cursor; }
    uint32_t TickCount() override { return tick; }
    void PostCloseMessage() override
    {
        ++postedCloses;
        log.push_back("post-close");
    }
    // Like the window system, destroying the window delivers Destroy.
    void DestroyWindow() override
    {
        ++destroyed;
        log.push_back("destroy");
        if (settings)
            SaverWindowProc(SaverWindowContext{*settings, kRunModeNone, *this}, {SaverEvent::Destroy, 0});
    }
    void PostQuitMessage() override
    {
        ++quits;
        log.push_back("quit");
    }
    void SetCursorVisible(bool visible) override
    {
        cursorVisible = visible;
        log.push_back(visible ? "cursor-shown" : "cursor-hidden");
    }
    void KillTimer(int32_t) override { log.push_back("kill-timer"); }
    bool VerifyPassword() override
    {
        ++passwordPrompts;
        log.push_back("password");
        // The prompt is where the user moves the mouse meanwhile.
        cursor = cursorAfterPrompt;
        return passwordAccepted;
    }

    SaverSettings* settings = nullptr;  // the record Destroy is delivered with
    CursorPoint cursor{100, 100};
    CursorPoint cursorAfterPrompt{100, 100};
    uint32_t tick = 0;
    bool passwordAccepted = true;
    bool cursorVisible = true;
    int postedCloses = 0;
    int destroyed = 0;
    int quits = 0;
    int passwordPrompts = 0;
    std::vector<std::string> log;
};
