#include "platform/x11/X11DisplayDpi.h"

#include <X11/Xresource.h>

#include <cmath>
#include <cstdlib>
#include <string>

int XftDpi(Display* display)
{
    const char* resources = display ? XResourceManagerString(display) : nullptr;
    if (!resources)
        return 0;
    XrmInitialize();
    const XrmDatabase database = XrmGetStringDatabase(resources);
    if (!database)
        return 0;
    char* type = nullptr;
    XrmValue value{};
    int dpi = 0;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
        // Desktops write it as a number, sometimes with a fraction.
        const std::string text(value.addr, value.size > 0 ? value.size - 1 : 0);
        char* end = nullptr;
        const double parsed = std::strtod(text.c_str(), &end);
        if (end != text.c_str() && std::isfinite(parsed) && parsed > 0.0 && parsed < 100000.0)
            dpi = static_cast<int>(std::lround(parsed));
    }
    XrmDestroyDatabase(database);
    return dpi;
}
