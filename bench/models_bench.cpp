// Prints what the embedded models cost: compiling each into a display list
// (the work every Restyle repeats, in colour and sepia mode) and drawing its
// list offscreen (glFinish included). Usage: models_bench [--repeat N] [--size WxH]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "models/Model.h"
#include "show/ModelViewer.h"
#include "models/data/EmbeddedModels.h"
#include "platform/offscreen/OffscreenContext.h"
#include "show/Director.h"
#include "scene/Gl.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Triangles(const ModelDescriptor& model)
{
    int faces = 0;
    for (int m = 0; m < model.meshCount; ++m)
        if (!model.meshes[m].hidden)
            faces += model.meshes[m].faceCount;
    return faces;
}

}  // namespace

int main(int argc, char** argv)
{
    int repeat = 200, width = 640, height = 480;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--repeat"))
            repeat = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--size") && std::sscanf(argv[i + 1], "%dx%d", &width, &height) != 2)
            width = 0;
    }
    if (width < 1 || height < 1 || width > 8192 || height > 8192) {
        std::fprintf(stderr, "models_bench: bad --size\n");
        return 2;
    }

    OffscreenContext context;
    std::string error;
    if (!context.Create(width, height, error)) {
        std::fprintf(stderr, "models_bench: %s\n", error.c_str());
        return 1;
    }

    std::printf("%-6s %9s %16s %16s %14s\n", "model", "triangles", "compile ms", "sepia compile ms",
                "draw ms");
    double allCompile = 0.0;
    for (const char* name : {"A", "B1", "B2", "C", "D"}) {
        const ModelDescriptor& descriptor = *FindEmbeddedModel(name);
        Model model;
        model.copyFrom(descriptor, 1);

        double median[2];
        for (int sepia = 0; sepia < 2; ++sepia) {
            sepiaMode = sepia != 0;
            std::vector<double> samples;
            for (int i = 0; i < repeat; ++i) {
                const auto begin = Clock::now();
                model.compileList(0);
                glFinish();
                samples.push_back(Milliseconds(Clock::now() - begin));
            }
            median[sepia] = Median(samples);
        }
        sepiaMode = false;
        allCompile += median[0];

        // Drawing: the viewer's framing, one list call per frame.
        ModelViewer viewer(descriptor, width, height, false);
        std::vector<double> draws;
        for (int i = 0; i < std::min(repeat, 100); ++i) {
            const auto begin = Clock::now();
            viewer.DrawFrame(i);
            glFinish();
            draws.push_back(Milliseconds(Clock::now() - begin));
        }
        std::printf("%-6s %9d %16.3f %16.3f %14.3f\n", name, Triangles(descriptor), median[0], median[1],
                    Median(draws));
    }
    std::printf("all five models compile in %.3f ms (sum of medians, %d repeats, %dx%d)\n", allCompile, repeat,
                width, height);
    return 0;
}
