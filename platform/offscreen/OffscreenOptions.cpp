#include "platform/offscreen/OffscreenOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/offscreen/OffscreenRenderer.h"
#include "platform/offscreen/SimulatedTickSource.h"

namespace {

bool ParseInt(const char* text, long long low, long long high, long long& value)
{
    if (!text || !*text)
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool ParseNumber(const char* text, double low, double high, double& value)
{
    if (!text || !*text)
        return false;
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(parsed) || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool ParseSize(const char* text, int& width, int& height)
{
    const char* x = text ? std::strpbrk(text, "xX") : nullptr;
    if (!x)
        return false;
    const std::string w(text, x);
    long long wv = 0, hv = 0;
    if (!ParseInt(w.c_str(), 1, kMaxOffscreenSide, wv) || !ParseInt(x + 1, 1, kMaxOffscreenSide, hv))
        return false;
    width = static_cast<int>(wv);
    height = static_cast<int>(hv);
    return true;
}

}  // namespace

bool WantsOffscreen(int argc, const char* const argv[])
{
    for (int i = 1; i < argc; ++i)
        if (argv[i] && std::strcmp(argv[i], "--offscreen") == 0)
            return true;
    return false;
}

const char* OffscreenUsage()
{
    static const std::string usage = [] {
        std::string names;
        for (const std::string& name : OffscreenRenderers())
            names += (names.empty() ? "" : "|") + name;
        return "usage: quillmoor --offscreen [--frames N] [--size WxH] [--out DIR] [--no-png]\n"
               "                 [--seed S] [--start SECONDS] [--step MS] [--model NAME [--sepia]]\n"
               "                 [--renderer " + names + "]";
    }();
    return usage.c_str();
}

bool ParseOffscreenOptions(int argc, const char* const argv[], OffscreenOptions& options, std::string& error)
{
    options = OffscreenOptions{};
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i] ? argv[i] : "";
        auto value = [&](const char*& out) {
            if (i + 1 >= argc || !argv[i + 1]) {
                error = "option " + name + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        const char* text = nullptr;
        if (name == "--offscreen") {
            continue;
        } else if (name == "--no-png") {
            options.writeImages = false;
        } else if (name == "--sepia") {
            options.sepia = true;
        } else if (name == "--frames") {
            long long frames = 0;
            if (!value(text))
                return false;
            if (!ParseInt(text, 1, std::numeric_limits<int>::max(), frames)) {
                error = std::string("--frames wants a whole number from 1 up, not '") + text + "'";
                return false;
            }
            options.frames = static_cast<int>(frames);
        } else if (name == "--size") {
            if (!value(text))
                return false;
            if (!ParseSize(text, options.width, options.height)) {
                error = std::string("--size wants WIDTHxHEIGHT, each from 1 to ") + std::to_string(kMaxOffscreenSide)
                    + ", not '" + text + "'";
                return false;
            }
        } else if (name == "--out") {
            if (!value(text))
                return false;
            if (!*text) {
                error = "--out wants a directory name";
                return false;
            }
            options.outDir = text;
        } else if (name == "--seed") {
            long long seed = 0;
            if (!value(text))
                return false;
            if (!ParseInt(text, 0, std::numeric_limits<unsigned>::max(), seed)) {
                error = std::string("--seed wants a whole number from 0 to 4294967295, not '") + text + "'";
                return false;
            }
            options.seedGiven = true;
            options.seed = static_cast<unsigned>(seed);
        } else if (name == "--start") {
            if (!value(text))
                return false;
            // A year of show time is far beyond any use and keeps the
            // millisecond clock exact.
            if (!ParseNumber(text, 0.0, 366.0 * 24 * 3600, options.startSeconds)) {
                error = std::string("--start wants seconds from 0 up to a year, not '") + text + "'";
                return false;
            }
            options.simulatedClock = true;
        } else if (name == "--step") {
            if (!value(text))
                return false;
            if (!ParseNumber(text, 0.0, 24.0 * 3600 * 1000, options.stepMs)) {
                error = std::string("--step wants milliseconds from 0 up to a day, not '") + text + "'";
                return false;
            }
            options.simulatedClock = true;
        } else if (name == "--renderer") {
            if (!value(text))
                return false;
            std::string chosen;
            if (!ChooseOffscreenRenderer(text, nullptr, chosen, error))
                return false;
            options.renderer = chosen;
        } else if (name == "--model") {
            if (!value(text))
                return false;
            if (!*text) {
                error = "--model wants a model name (A, B1, B2, C or D)";
                return false;
            }
            options.model = text;
        } else {
            error = "unknown option '" + name + "'";
            return false;
        }
    }
    if (options.simulatedClock) {
        const double leadIn = SimulatedTickSource::LeadInEstimate(options.startSeconds, options.stepMs);
        if (leadIn > static_cast<double>(SimulatedTickSource::kMaxLeadInFrames)) {
            char text[256];
            std::snprintf(text, sizeof text,
                          "--start %.10g with --step %.10g ms needs %.3g frames of run-up; the most is %lld"
                          " (a day of show at the 40 ms step): start earlier or take a longer step",
                          options.startSeconds, options.stepMs, leadIn,
                          static_cast<long long>(SimulatedTickSource::kMaxLeadInFrames));
            error = text;
            return false;
        }
    }
    if (options.sepia && options.model.empty()) {
        error = "--sepia goes with --model NAME (the show turns sepia by itself)";
        return false;
    }
    return true;
}

bool ParseOptionInt(const char* text, long long low, long long high, long long& value)
{
    return ParseInt(text, low, high, value);
}
