// Where the glow layers are drawn: every texel that linear filtering can
// carry from a lit texel (one texel around it, wrapping at the edges) lies in
// exactly one rectangle, and black regions are left out.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "actors/GlowCoverage.h"

namespace {

constexpr int kSize = GlowCoverage::kSize;

int Covering(const GlowCoverage& coverage, int x, int y)
{
    const float s = (x + 0.5f) / kSize, t = (y + 0.5f) / kSize;
    int count = 0;
    for (const GlowCoverage::Rect& r : coverage)
        count += s > r.s0 && s < r.s1 && t > r.t0 && t < r.t1;
    return count;
}

double Area(const GlowCoverage& coverage)
{
    double area = 0.0;
    for (const GlowCoverage::Rect& r : coverage)
        area += static_cast<double>(r.s1 - r.s0) * (r.t1 - r.t0);
    return area;
}

TEST(GlowCoverage, CoversTheLitTexelsAndTheirFilterReachOnce)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> lit;  // (x, y)
        int texels;                            // texels the rectangles should span, -1: unchecked
    };
    std::vector<std::pair<int, int>> diagonal, all;
    for (int i = 0; i < kSize; ++i)
        diagonal.push_back({i, i / 2});
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            all.push_back({x, y});
    // One texel reaches three texels a side, which straddle two 2-texel tiles.
    const std::vector<Case> cases = {
        {"nothing lit", {}, 0},
        {"one texel", {{60, 60}}, 4 * 4},
        {"two texels one tile apart share tiles", {{60, 60}, {62, 60}}, 6 * 4},
        {"a corner texel wraps to all four corners", {{0, 0}}, 4 * 4},
        {"an edge texel wraps to the other side", {{127, 70}}, 4 * 4},
        {"a line", diagonal, -1},
        {"everything", all, kSize * kSize},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> texels(kSize * kSize, 0);
        for (auto [x, y] : c.lit)
            texels[y * kSize + x] = 1;
        GlowCoverage coverage;
        coverage.FromTexels(texels.data());
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                bool reached = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        reached = reached || texels[((y + dy + kSize) % kSize) * kSize + (x + dx + kSize) % kSize];
                const int covering = Covering(coverage, x, y);
                ASSERT_LE(covering, 1) << c.name << " at " << x << "," << y;
                ASSERT_TRUE(!reached || covering == 1) << c.name << " misses " << x << "," << y;
            }
        if (c.texels >= 0)
            EXPECT_DOUBLE_EQ(Area(coverage) * kSize * kSize, c.texels) << c.name;
        else
            EXPECT_LT(Area(coverage), 0.1) << c.name;
    }
    // A full texture is one rectangle, like a whole layer.
    std::vector<uint8_t> white(kSize * kSize, 255);
    GlowCoverage coverage;
    coverage.FromTexels(white.data());
    ASSERT_EQ(coverage.count(), 1);
    EXPECT_EQ(coverage.begin()->s0, 0.0f);
    EXPECT_EQ(coverage.begin()->t1, 1.0f);
}

}  // namespace
