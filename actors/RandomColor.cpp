#include "actors/RandomColor.h"

#include <algorithm>

#include "scene/RandomSource.h"

double RandomFraction()
{
    // Every caller relies on the fraction staying below 1 (array slots, colour
    // bytes), so a value outside the generator's range is pulled back into it.
    const int value = std::clamp(NextRandom(), 0, 32767);
    return static_cast<double>(value) * static_cast<double>(kRandomScale);
}

int RandomBelow(double scale)
{
    return static_cast<int>(RandomFraction() * scale);
}

void RandomColorInRange(uint8_t colour[3], int base, int range)
{
    const float span = static_cast<float>(range);
    for (int channel = 0; channel < 3; ++channel)
        colour[channel] = static_cast<uint8_t>(base + RandomBelow(span));
}

void RandomSaturatedColor(uint8_t colour[3])
{
    for (int channel = 0; channel < 3; ++channel)
        colour[channel] = RandomBelow(2.0) == 1 ? 255 : 0;
    colour[RandomBelow(3.0)] = 255;
}
