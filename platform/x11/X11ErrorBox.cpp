#include "platform/x11/X11ErrorBox.h"

#include <cstdio>
#include <string>
#include <vector>

#include "host/SetupErrors.h"
#include "platform/x11/X11ButtonDialog.h"

void ShowErrorBox(Display* display, const char* text)
{
    // One line of the box per line of the text; a final line break ends the
    // last line instead of starting an empty one.
    std::vector<std::string> lines;
    std::string line;
    for (const char* c = text; *c; ++c) {
        if (*c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += *c;
        }
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);

    for (const std::string& each : lines)
        std::fprintf(stderr, "quillmoor: %s\n", each.c_str());
    std::fflush(stderr);
    if (display)
        RunButtonDialog(display, None, kErrorTitle, lines, {{"OK", 1}}, 1, 1);
}
