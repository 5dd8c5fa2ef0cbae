// Entry of the Linux build: offscreen rendering, or the saver on X11.
#include <cstdio>
#include <string>

#include "host/OffscreenOptions.h"
#include "platform/offscreen/OffscreenRun.h"

int main(int argc, char** argv)
{
    const char* const* args = argv;
    if (WantsOffscreen(argc, args)) {
        OffscreenOptions options;
        std::string error;
        if (!ParseOffscreenOptions(argc, args, options, error)) {
            std::fprintf(stderr, "quillmoor: %s\n%s\n", error.c_str(), OffscreenUsage());
            return 2;
        }
        return RunOffscreen(options);
    }
    std::fprintf(stderr, "quillmoor: no window backend in this build; use --offscreen\n%s\n", OffscreenUsage());
    return 2;
}
