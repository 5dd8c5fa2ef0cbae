#pragma once

// The one random sequence of the show: the C library's generator, seeded once
// when the Scene is built. Tests may script the values it returns.

// Draws the next value in [0, 32767] (the C library's rand()).
int NextRandom();

// Seeds the generator. Called once by the Scene.
void SeedRandom(unsigned seed);

// The seed the Scene uses: the wall-clock time in seconds, unless an override
// was set (the offscreen runner's --seed).
unsigned ShowSeed();
void SetSeedOverride(bool enabled, unsigned seed = 0);

// Replaces rand() with a scripted generator; null restores rand().
using RandomGenerator = int (*)();
void SetRandomGenerator(RandomGenerator generator);
