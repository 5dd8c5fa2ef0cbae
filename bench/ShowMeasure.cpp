#include "bench/ShowMeasure.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "actors/FlyingActor.h"
#include "actors/LinkerActor.h"
#include "bench/ProcessMemory.h"
#include "bench/ShowSession.h"
#include "platform/offscreen/PngWriter.h"
#include "show/Director.h"
#include "scene/Gl.h"
#include "scene/Scene.h"

namespace {

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double ProcessCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

enum Kind { kColour, kSepia, kGlow, kFlip, kKinds };
const char* const kKindNames[kKinds] = {"colour", "sepia", "glow", "flip"};

// One frame of each kind, for looking at: the tenth, or for the glow the
// fortieth, well into a glow moment.
void KeepPicture(const BenchOptions& options, ShowSession& show, Kind kind, int seen)
{
    if (options.pictureDir.empty() || seen != (kind == kGlow ? 40 : 10) || kind == kFlip)
        return;
    char name[96];
    std::snprintf(name, sizeof name, "/%s%s%dx%d-%s.png", show.renderer().c_str(), show.renderer().empty() ? "" : "-",
                  show.context().width(), show.context().height(), kKindNames[kind]);
    std::string error;
    if (!WritePng(options.pictureDir + name, show.context().pixels(), show.context().width(),
                  show.context().height(), error))
        std::fprintf(stderr, "quillmoor_bench: %s\n", error.c_str());
}

// What the cast shows of restyles: a flyer's cycle start moves when it closes
// a cycle, the passer goes back when it passes the near limit.
struct RestyleMarks {
    double cycleStarts = 0.0;
    float passerDepth = 0.0f;

    static RestyleMarks Of(const Director* director)
    {
        RestyleMarks marks;
        if (!director)
            return marks;
        for (const Actor* flyer : {director->mast(), director->cruiser(), director->linker()})
            if (flyer)
                marks.cycleStarts += static_cast<const FlyingActor*>(flyer)->flight.cycleStart;
        if (director->passer())
            marks.passerDepth = director->passer()->position.z;
        return marks;
    }
    bool RestyledSince(const RestyleMarks& before) const
    {
        return cycleStarts != before.cycleStarts || passerDepth < before.passerDepth;
    }
};

}  // namespace

bool MeasureShow(const BenchOptions& options, const BenchOptions::Size& size, ShowFigures& figures,
                 std::string& error, const std::string& renderer)
{
    figures = ShowFigures{};
    figures.width = size.width;
    figures.height = size.height;
    figures.renderer = renderer;
    ResetPeakResident();
    {
        ShowSession show(size.width, size.height, options.seed, renderer, options.warmUp);
        if (!show.Open(error))
            return false;
        figures.context = show.context().description();
        figures.glowSupported = show.scene().glowSupported;
        figures.contextMs = show.contextMs();
        figures.setupMs = show.setupMs();

        std::vector<double> all, byKind[kKinds];
        all.reserve(static_cast<size_t>(options.frames));
        std::vector<double> cpuTimes;
        std::vector<FrameRecord> records;
        records.reserve(static_cast<size_t>(options.frames));
        const auto runStart = std::chrono::steady_clock::now();
        for (int frame = 0; frame < options.frames; ++frame) {
            const long long periodBefore = lastPeriod;
            const RestyleMarks marksBefore = RestyleMarks::Of(currentDirector);
            const double seconds = options.startSeconds + frame * options.stepMs / 1000.0;
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = ProcessCpuMilliseconds();
            show.RenderAt(seconds);
            glFinish();
            const double ms = Since(start);
            const double cpuMs = ProcessCpuMilliseconds() - cpuStart;
            cpuTimes.push_back(cpuMs);
            const LinkerActor* linker = show.linker();
            FrameRecord record;
            record.ms = ms;
            record.cpuMs = cpuMs;
            record.showSeconds = seconds;
            record.sepia = sepiaMode;
            record.flip = lastPeriod != periodBefore;
            record.glow = linker && linker->glowing;
            record.link = linker && (linker->linkToMast || linker->linkToCruiser);
            record.restyle = RestyleMarks::Of(currentDirector).RestyledSince(marksBefore);
            records.push_back(record);
            Kind kind = sepiaMode ? kSepia : kColour;
            if (linker && linker->glowing)
                kind = kGlow;
            if (lastPeriod != periodBefore && frame > 0)
                kind = kFlip;
            all.push_back(ms);
            byKind[kind].push_back(ms);
            KeepPicture(options, show, kind, static_cast<int>(byKind[kind].size()));
        }
        figures.seconds = Since(runStart) / 1000.0;
        figures.all = Summarise(all);
        figures.colour = Summarise(byKind[kColour]);
        figures.sepia = Summarise(byKind[kSepia]);
        figures.glow = Summarise(byKind[kGlow]);
        figures.flips = byKind[kFlip];
        figures.firstFrameMs = all.empty() ? 0.0 : all.front();
        figures.worst = WorstAfterFirst(records, figures.all.median, &FrameRecord::ms);
        figures.cpu = Summarise(cpuTimes);
        figures.worstCpu = WorstAfterFirst(records, figures.cpu.median, &FrameRecord::cpuMs);

        // The floor: what a frame costs that only clears and finishes.
        std::vector<double> floor;
        for (int i = 0; i < 200; ++i) {
            const auto start = std::chrono::steady_clock::now();
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glFinish();
            floor.push_back(Since(start));
        }
        figures.floorMedian = Summarise(floor).median;
    }
    figures.peakResidentKiB = PeakResidentKiB();
    return true;
}

bool MeasureFrameCpu(const BenchOptions& options, FrameStats& cpu, std::string& error)
{
    ShowSession show(64, 48, options.seed, options.renderers.empty() ? "" : options.renderers.front(), options.warmUp);
    if (!show.Open(error))
        return false;
    std::vector<double> times;
    times.reserve(static_cast<size_t>(options.frames));
    for (int frame = 0; frame < options.frames; ++frame) {
        const double start = ProcessCpuMilliseconds();
        show.RenderAt(options.startSeconds + frame * options.stepMs / 1000.0);
        glFinish();
        times.push_back(ProcessCpuMilliseconds() - start);
    }
    cpu = Summarise(times);
    return true;
}
