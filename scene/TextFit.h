#pragma once

// The room a line of text takes around its pen position, in window pixels:
// `width` to the right, `ascent` above the baseline, `descent` below it.
struct TextExtent {
    float width = 0.0f;
    float ascent = 0.0f;
    float descent = 0.0f;
};

// A pen position in window pixels, relative to the viewport's lower left.
struct PenPosition {
    float x = 0.0f;
    float y = 0.0f;
};

// Where text whose pen lies at `pen` at 96 DPI lies at `dpi`: its distance
// from the lower right corner of a `width` x `height` viewport grows with the
// density, as the text's size does, so the margins grow in step; kept inside
// the viewport, where a raster position must lie. At 96 DPI (or a density
// not usable) it is `pen` exactly.
PenPosition ScaleCornerDistance(PenPosition pen, int width, int height, int dpi);

// Where text that starts at `pen` starts instead so that the right and the
// bottom edge of a viewport `width` pixels wide do not cut it: moved in just
// enough, and exactly `pen` wherever it already fits. Text wider than the
// viewport starts at its left edge.
PenPosition FitTextInViewport(PenPosition pen, const TextExtent& extent, int width);
