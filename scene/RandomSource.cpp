#include "scene/RandomSource.h"

#include <cstdlib>
#include <ctime>

namespace {
RandomGenerator scripted = nullptr;
bool seedOverridden = false;
unsigned seedOverride = 0;
}  // namespace

int NextRandom()
{
    if (scripted)
        return scripted();
    // The show's arithmetic expects the 15-bit range of the Windows C library.
    // Where RAND_MAX is larger, keep the high bits, which are the better ones.
    static_assert(RAND_MAX >= 32767, "rand() must give at least 15 bits");
    constexpr unsigned long divisor = (static_cast<unsigned long>(RAND_MAX) + 1ul) / 32768ul;
    return static_cast<int>(static_cast<unsigned long>(std::rand()) / divisor);
}

void SeedRandom(unsigned seed)
{
    std::srand(seed);
}

unsigned ShowSeed()
{
    return seedOverridden ? seedOverride : static_cast<unsigned>(std::time(nullptr));
}

void SetSeedOverride(bool enabled, unsigned seed)
{
    seedOverridden = enabled;
    seedOverride = seed;
}

void SetRandomGenerator(RandomGenerator generator)
{
    scripted = generator;
}
