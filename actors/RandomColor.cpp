#include "actors/RandomColor.h"

#include "scene/RandomSource.h"

double RandomFraction()
{
    return static_cast<double>(NextRandom()) * static_cast<double>(kRandomScale);
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
