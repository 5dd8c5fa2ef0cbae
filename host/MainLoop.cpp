#include "host/MainLoop.h"

void RunMainLoop(MainLoopPlatform& platform)
{
    for (;;) {
        const MainLoopPlatform::Pump pump = platform.DispatchNextMessage();
        if (pump == MainLoopPlatform::Pump::Quit)
            return;
        if (pump == MainLoopPlatform::Pump::Dispatched)
            continue;
        if (platform.RenderFrame())
            platform.SwapBuffers();
        platform.Sleep(kFramePauseMs);
    }
}
