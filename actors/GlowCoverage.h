#pragma once

#include <array>
#include <cstdint>

// Where the glow texture is not black, as rectangles in texture space, so
// that the additive glow layers touch only the pixels they light: blending
// black adds nothing. A texel counts as lit when it is above 0; the
// rectangles cover every lit texel plus one texel around it (linear
// filtering reaches that far), wrapping round the edges as GL_REPEAT does,
// in whole tiles of kTile x kTile texels.
class GlowCoverage {
public:
    static constexpr int kSize = 128;  // texels per side
    // Small tiles: every layer fills what they cover, and at 1920x1080 one
    // full-screen layer costs about 9 ms in software; 8-texel tiles drew half
    // as much again around a glowing flyer.
    static constexpr int kTile = 2;
    static constexpr int kTiles = kSize / kTile;

    // A rectangle of texture coordinates, s0 < s1, t0 < t1, in [0, 1].
    struct Rect {
        float s0, t0, s1, t1;
    };

    // Finds the lit tiles of kSize x kSize luminance texels (row 0 first).
    void FromTexels(const uint8_t* texels);
    // The whole texture as one rectangle.
    void Whole();

    const Rect* begin() const { return rects_.data(); }
    const Rect* end() const { return rects_.data() + count_; }
    int count() const { return count_; }

private:
    // At most one rectangle per tile: runs of tiles in a row, joined with the
    // same run of the row below.
    std::array<Rect, kTiles * kTiles> rects_{};
    int count_ = 0;
};
