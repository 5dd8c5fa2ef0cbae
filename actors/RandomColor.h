#pragma once

#include <cstdint>

// The random fraction every random choice of the cast is made from: one
// NextRandom() value times the single-precision constant nearest to 1/32767
// (a little below it), formed in double precision so that the largest value,
// 0.9999999990686774, stays below 1.
inline constexpr float kRandomScale = 0.000030518509f;
double RandomFraction();

// Truncated products of a fresh fraction, the form most draws take.
int RandomBelow(double scale);

// Red, green, blue: each base + trunc(f * range) with its own fraction f, the
// sum wrapped to 8 bits. (128, 128) gives 128..255; (0, 256) gives 0..255.
void RandomColorInRange(uint8_t colour[3], int base, int range);

// Red, green, blue each 0 or 255 at even odds, then one channel picked at
// random set to 255: never black. Four draws.
void RandomSaturatedColor(uint8_t colour[3]);
