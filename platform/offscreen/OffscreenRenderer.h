#pragma once

#include <string>
#include <vector>

// The renderers an offscreen context can use, by the names `--renderer` and
// $QUILLMOOR_RENDERER take:
//   software  Mesa's software rasteriser through EGL (the default: the same
//             pictures on every machine);
//   default   EGL's own first choice: with Mesa's libEGL a GPU's driver when
//             there is one; another vendor's EGL picks by its own rules;
//   osmesa    Mesa's older offscreen library, only in builds configured with
//             -DQUILLMOOR_OSMESA=ON.
inline constexpr const char* kRendererVariable = "QUILLMOOR_RENDERER";
inline constexpr const char* kDefaultRenderer = "software";

// The names this build knows, in the order above.
std::vector<std::string> OffscreenRenderers();
// "software or default" (or "software, default or osmesa").
std::string OffscreenRendererChoices();
// The renderer a context uses: `asked` when given, else `environment` (the
// variable's value, or null) when set and not empty, else the default. False
// with `error` set when that name is not one this build knows.
bool ChooseOffscreenRenderer(const std::string& asked, const char* environment, std::string& renderer,
                             std::string& error);
