#include "platform/offscreen/OffscreenRenderer.h"

#include <algorithm>

std::vector<std::string> OffscreenRenderers()
{
#ifdef QUILLMOOR_WITH_OSMESA
    return {"software", "default", "osmesa"};
#else
    return {"software", "default"};
#endif
}

std::string OffscreenRendererChoices()
{
    const std::vector<std::string> names = OffscreenRenderers();
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return text;
}

bool ChooseOffscreenRenderer(const std::string& asked, const char* environment, std::string& renderer,
                             std::string& error)
{
    const bool fromEnvironment = asked.empty() && environment && *environment;
    const std::string name = !asked.empty() ? asked : fromEnvironment ? environment : kDefaultRenderer;
    const std::vector<std::string> known = OffscreenRenderers();
    if (std::find(known.begin(), known.end(), name) != known.end()) {
        renderer = name;
        return true;
    }
    const std::string source = fromEnvironment ? std::string(kRendererVariable) : "--renderer";
    if (name == "osmesa")
        error = source + ": this build has no osmesa renderer (configure with -DQUILLMOOR_OSMESA=ON)";
    else
        error = source + " wants " + OffscreenRendererChoices() + ", not '" + name + "'";
    return false;
}
