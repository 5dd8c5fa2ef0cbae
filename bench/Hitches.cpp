#include "bench/Hitches.h"

#include <functional>

namespace {

// No frame before frames[index] matches `same`.
bool FirstOfItsKind(const std::vector<FrameRecord>& frames, size_t index,
                    const std::function<bool(const FrameRecord&)>& same)
{
    for (size_t i = 0; i < index; ++i)
        if (same(frames[i]))
            return false;
    return true;
}

}  // namespace

std::string DescribeEvents(const std::vector<FrameRecord>& frames, size_t index)
{
    const FrameRecord& frame = frames[index];
    std::string text = frame.sepia ? "sepia" : "colour";
    const auto add = [&](bool happened, const char* name, const std::function<bool(const FrameRecord&)>& same) {
        if (!happened)
            return;
        text += FirstOfItsKind(frames, index, same) ? ", first " : ", ";
        text += name;
    };
    // A flip to colour is a different moment from a flip to sepia.
    add(frame.flip, frame.sepia ? "flip to sepia" : "flip to colour",
        [&](const FrameRecord& f) { return f.flip && f.sepia == frame.sepia; });
    add(frame.glow, "glow", [](const FrameRecord& f) { return f.glow; });
    add(frame.link, "link", [](const FrameRecord& f) { return f.link; });
    add(frame.restyle, "restyle", [](const FrameRecord& f) { return f.restyle; });
    return text;
}

Hitch WorstAfterFirst(const std::vector<FrameRecord>& frames, double median, double FrameRecord::*cost)
{
    Hitch hitch;
    for (size_t i = 1; i < frames.size(); ++i) {
        if (hitch.found && frames[i].*cost <= hitch.ms)
            continue;
        hitch.found = true;
        hitch.frame = static_cast<int>(i);
        hitch.ms = frames[i].*cost;
        hitch.wallMs = frames[i].ms;
        hitch.cpuMs = frames[i].cpuMs;
        hitch.showSeconds = frames[i].showSeconds;
    }
    if (!hitch.found)
        return hitch;
    hitch.overMedian = median > 0.0 ? hitch.ms / median : 0.0;
    hitch.events = DescribeEvents(frames, static_cast<size_t>(hitch.frame));
    return hitch;
}
