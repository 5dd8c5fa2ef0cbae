#include "actors/GlowCoverage.h"

namespace {

constexpr int kSize = GlowCoverage::kSize;
constexpr int kTile = GlowCoverage::kTile;
constexpr int kTiles = GlowCoverage::kTiles;

int Wrap(int texel)
{
    return (texel + kSize) % kSize;
}

}  // namespace

void GlowCoverage::Whole()
{
    rects_[0] = Rect{0.0f, 0.0f, 1.0f, 1.0f};
    count_ = 1;
}

void GlowCoverage::FromTexels(const uint8_t* texels)
{
    // A lit texel touches the tiles of its own texel and of its eight neighbours.
    bool needed[kTiles][kTiles] = {};  // [row][column]
    for (int y = 0; y < kSize; ++y) {
        const uint8_t* row = texels + y * kSize;
        for (int x = 0; x < kSize; ++x) {
            if (row[x] == 0)
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    needed[Wrap(y + dy) / kTile][Wrap(x + dx) / kTile] = true;
        }
    }

    // Runs of needed tiles per row; a run that repeats one of the row below
    // grows that rectangle instead.
    constexpr float kTileSpan = static_cast<float>(kTile) / kSize;
    count_ = 0;
    int openAt[kTiles];  // rectangle whose run starts at this column and reaches the row below, or -1
    for (int& index : openAt)
        index = -1;
    for (int ty = 0; ty < kTiles; ++ty) {
        int nowOpen[kTiles];
        for (int& index : nowOpen)
            index = -1;
        for (int tx = 0; tx < kTiles;) {
            if (!needed[ty][tx]) {
                ++tx;
                continue;
            }
            const int first = tx;
            while (tx < kTiles && needed[ty][tx])
                ++tx;
            const float s1 = tx * kTileSpan;
            const float t1 = (ty + 1) * kTileSpan;
            const int below = openAt[first];
            if (below >= 0 && rects_[below].s1 == s1) {
                rects_[below].t1 = t1;
                nowOpen[first] = below;
            } else {
                rects_[count_] = Rect{first * kTileSpan, ty * kTileSpan, s1, t1};
                nowOpen[first] = count_++;
            }
        }
        for (int c = 0; c < kTiles; ++c)
            openAt[c] = nowOpen[c];
    }
}
