#include "bench/BenchReport.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

double Ratio(double a, double b)
{
    return b > 0.0 ? a / b : 0.0;
}

double WorstFlip(const ShowFigures& figures)
{
    return figures.flips.empty() ? 0.0 : *std::max_element(figures.flips.begin(), figures.flips.end());
}

void PrintRow(std::FILE* out, const char* name, const FrameStats& stats)
{
    if (stats.count == 0)
        std::fprintf(out, "  %-8s %6d %8s %8s %8s\n", name, 0, "-", "-", "-");
    else
        std::fprintf(out, "  %-8s %6d %8.2f %8.2f %8.2f\n", name, stats.count, stats.median, stats.mean, stats.p99);
}

// JSON numbers: finite, three decimals.
std::string Number(double value)
{
    if (!std::isfinite(value))
        return "null";
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(3);
    text << value;
    return text.str();
}

// A JSON string of text from the GL driver: quotes, backslashes and control
// characters escaped.
std::string JsonText(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            out += ' ';
        else
            out += c;
    }
    return out + "\"";
}

std::string StatsJson(const FrameStats& stats)
{
    return "{\"frames\": " + std::to_string(stats.count) + ", \"median_ms\": " + Number(stats.median)
        + ", \"mean_ms\": " + Number(stats.mean) + ", \"p99_ms\": " + Number(stats.p99) + ", \"max_ms\": "
        + Number(stats.max) + "}";
}

void PrintHitches(std::FILE* out, const ShowFigures& f)
{
    std::fprintf(out, "  set-up before the first frame %.1f ms (context %.1f ms); first frame %.2f ms\n", f.setupMs,
                 f.contextMs, f.firstFrameMs);
    if (f.worst.found) {
        std::fprintf(out, "  worst after the first %.2f ms = %.2f x median: frame %d at %.2f s (%s); CPU time %.2f ms",
                     f.worst.ms, f.worst.overMedian, f.worst.frame, f.worst.showSeconds, f.worst.events.c_str(),
                     f.worst.cpuMs);
        if (f.worst.IsStall())
            std::fprintf(out, ", so it waited %.2f ms or more: a stall", f.worst.WaitedAtLeastMs());
        std::fprintf(out, "\n");
    }
    if (f.worstCpu.found)
        std::fprintf(out, "  in CPU time: median %.2f ms, worst after the first %.2f ms = %.2f x: frame %d at %.2f s (%s)\n",
                     f.cpu.median, f.worstCpu.ms, f.worstCpu.overMedian, f.worstCpu.frame, f.worstCpu.showSeconds,
                     f.worstCpu.events.c_str());
}

std::string HitchJson(const Hitch& hitch)
{
    if (!hitch.found)
        return "null";
    return "{\"ms\": " + Number(hitch.ms) + ", \"over_median\": " + Number(hitch.overMedian) + ", \"wall_ms\": "
        + Number(hitch.wallMs) + ", \"cpu_ms\": " + Number(hitch.cpuMs) + ", \"stall\": "
        + (hitch.IsStall() ? "true" : "false") + ", \"frame\": "
        + std::to_string(hitch.frame) + ", \"at_s\": " + Number(hitch.showSeconds) + ", \"events\": "
        + JsonText(hitch.events) + "}";
}

std::string HitchesJson(const ShowFigures& f)
{
    return "\"setup_ms\": " + Number(f.setupMs) + ", \"context_ms\": " + Number(f.contextMs)
        + ", \"first_frame_render_ms\": " + Number(f.firstFrameMs) + ",\n     \"worst_after_first\": "
        + HitchJson(f.worst) + ",\n     \"cpu\": " + StatsJson(f.cpu) + ",\n     \"worst_cpu_after_first\": "
        + HitchJson(f.worstCpu);
}

// Renderers measured side by side: each one's median frame against the first's.
void PrintRendererComparison(const BenchResults& results, std::FILE* out)
{
    const ShowFigures* first = nullptr;
    for (const ShowFigures& f : results.sizes) {
        if (!first || first->width != f.width || first->height != f.height) {
            first = &f;
            continue;
        }
        if (first == &f - 1)
            std::fprintf(out, "\n%dx%d median frame: %s %.2f ms\n", f.width, f.height, first->renderer.c_str(),
                         first->all.median);
        std::fprintf(out, "%dx%d median frame: %s %.2f ms = %.2f x %s\n", f.width, f.height, f.renderer.c_str(),
                     f.all.median, Ratio(f.all.median, first->all.median), first->renderer.c_str());
    }
}

}  // namespace

void PrintTable(const BenchOptions& options, const BenchResults& results, std::FILE* out)
{
    std::fprintf(out, "quillmoor_bench: seed %u, %d frames per size from %.1f s in %.0f ms steps (%.0f s of show)%s%s\n",
                 options.seed, options.frames, options.startSeconds, options.stepMs,
                 options.frames * options.stepMs / 1000.0, options.warmUp ? "" : ", no GL warm-up",
                 options.quick ? ", short run: figures not judged" : "");
    for (const ShowFigures& f : results.sizes) {
        std::fprintf(out, "\n%dx%d: %.1f fps over %d frames, peak resident %ld KiB%s\n", f.width, f.height,
                     Ratio(f.all.count, f.seconds), f.all.count, f.peakResidentKiB,
                     f.glowSupported ? "" : " (no glow: the GL lacks its extensions)");
        std::fprintf(out, "  context: %s\n", f.context.c_str());
        std::fprintf(out, "  %-8s %6s %8s %8s %8s   (ms, glFinish per frame)\n", "frames", "count", "median", "mean",
                     "p99");
        PrintRow(out, "colour", f.colour);
        PrintRow(out, "sepia", f.sepia);
        PrintRow(out, "glow", f.glow);
        PrintRow(out, "all", f.all);
        std::fprintf(out, "  glow frames measured: %d; mean glow / median colour %.2f\n", f.glow.count,
                     Ratio(f.glow.mean, f.colour.median));
        std::fprintf(out, "  mean / median of all frames %.2f\n", Ratio(f.all.mean, f.all.median));
        std::fprintf(out, "  floor (clear + finish) %.3f ms; median frame / floor %.2f\n", f.floorMedian,
                     Ratio(f.all.median, f.floorMedian));
        std::fprintf(out, "  flip frames %zu, worst %.2f ms = %.2f x median\n", f.flips.size(), WorstFlip(f),
                     Ratio(WorstFlip(f), f.all.median));
        PrintHitches(out, f);
    }
    PrintRendererComparison(results, out);
    const FrameStats& cpu = results.cpuAt64x48;
    std::fprintf(out, "\nCPU time of one frame at 64x48: median %.3f ms, mean %.3f ms, p99 %.3f ms\n", cpu.median,
                 cpu.mean, cpu.p99);
    if (results.firstFrameMeasured)
        std::fprintf(out, "process start to first finished frame (640x480): %.1f ms\n", results.firstFrameMs);
    else
        std::fprintf(out, "process start to first finished frame: not measured\n");
}

bool WriteJson(const BenchOptions& options, const BenchResults& results, const std::string& path, std::string& error)
{
    std::ostringstream json;
    json << "{\n  \"seed\": " << options.seed << ",\n  \"frames_per_size\": " << options.frames
         << ",\n  \"start_s\": " << Number(options.startSeconds) << ",\n  \"step_ms\": " << Number(options.stepMs)
         << ",\n  \"short\": " << (options.quick ? "true" : "false")
         << ",\n  \"warm_up\": " << (options.warmUp ? "true" : "false") << ",\n  \"sizes\": [";
    for (size_t i = 0; i < results.sizes.size(); ++i) {
        const ShowFigures& f = results.sizes[i];
        json << (i ? "," : "") << "\n    {\"width\": " << f.width << ", \"height\": " << f.height
             << ", \"renderer\": " << JsonText(f.renderer) << ", \"context\": " << JsonText(f.context)
             << ", \"glow_supported\": " << (f.glowSupported ? "true" : "false")
             << ",\n     \"fps\": " << Number(Ratio(f.all.count, f.seconds))
             << ",\n     \"all\": " << StatsJson(f.all) << ",\n     \"colour\": " << StatsJson(f.colour)
             << ",\n     \"sepia\": " << StatsJson(f.sepia) << ",\n     \"glow\": " << StatsJson(f.glow)
             << ",\n     \"glow_mean_over_colour_median\": " << Number(Ratio(f.glow.mean, f.colour.median))
             << ",\n     \"mean_over_median\": " << Number(Ratio(f.all.mean, f.all.median))
             << ",\n     \"floor_median_ms\": " << Number(f.floorMedian)
             << ", \"median_over_floor\": " << Number(Ratio(f.all.median, f.floorMedian))
             << ",\n     \"flip_frames_ms\": [";
        for (size_t k = 0; k < f.flips.size(); ++k)
            json << (k ? ", " : "") << Number(f.flips[k]);
        json << "], \"worst_flip_over_median\": " << Number(Ratio(WorstFlip(f), f.all.median))
             << ",\n     " << HitchesJson(f) << ",\n     \"peak_resident_kib\": " << f.peakResidentKiB << "}";
    }
    json << "\n  ],\n  \"cpu_64x48\": " << StatsJson(results.cpuAt64x48) << ",\n  \"first_frame_ms\": "
         << (results.firstFrameMeasured ? Number(results.firstFrameMs) : "null") << "\n}\n";

    std::ofstream file(path);
    file << json.str();
    file.close();
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
