#include <gtest/gtest.h>

#include <cstdint>

#include "actors/Actor.h"
#include "actors/RandomColor.h"
#include "tests/actors/ScriptedRandom.h"

namespace {

struct Colour {
    uint8_t rgb[3];
    uint8_t guard;  // must survive every call
};

TEST(RandomFraction, StaysBelowOneAtTheTopValue)
{
    ScriptedRandom random({32767, 0});
    const double top = RandomFraction();
    EXPECT_DOUBLE_EQ(top, 0.9999999990686774);
    EXPECT_LT(top, 1.0);
    EXPECT_EQ(RandomFraction(), 0.0);
}

TEST(RandomFraction, ValuesOutsideTheRangeAreClamped)
{
    ScriptedRandom random({40000, -5});
    EXPECT_DOUBLE_EQ(RandomFraction(), 0.9999999990686774);
    EXPECT_EQ(RandomFraction(), 0.0);
    Colour colour{{0, 0, 0}, 0xAB};
    ScriptedRandom wild({}, 99999);
    RandomSaturatedColor(colour.rgb);
    EXPECT_EQ(colour.guard, 0xAB);
}

TEST(RandomFraction, TruncatedProductsAtTheTopValue)
{
    ScriptedRandom random({}, 32767);
    EXPECT_EQ(RandomBelow(2.0), 1);
    EXPECT_EQ(RandomBelow(3.0), 2);
    EXPECT_EQ(RandomBelow(148.0), 147);
    EXPECT_EQ(RandomBelow(100.0), 99);
}

TEST(RandomSaturatedColor, ExtremesAndChannelChoice)
{
    Colour colour{{7, 7, 7}, 0xAB};
    {
        ScriptedRandom random({0, 0, 0, 0});
        RandomSaturatedColor(colour.rgb);
        EXPECT_EQ(colour.rgb[0], 255);
        EXPECT_EQ(colour.rgb[1], 0);
        EXPECT_EQ(colour.rgb[2], 0);
        EXPECT_EQ(random.draws(), 4);
    }
    {
        ScriptedRandom random({16384, 16384, 16384, 5});
        RandomSaturatedColor(colour.rgb);
        EXPECT_EQ(colour.rgb[0], 255);
        EXPECT_EQ(colour.rgb[1], 255);
        EXPECT_EQ(colour.rgb[2], 255);
    }
    {
        ScriptedRandom random({}, 32767);
        RandomSaturatedColor(colour.rgb);
        EXPECT_EQ(colour.rgb[2], 255);
        EXPECT_EQ(colour.guard, 0xAB);
    }
    // The half-way split at 16383/16384 and the channel thirds at 10922/10923 and 21844/21845.
    {
        ScriptedRandom random({16383, 16384, 16383, 10923});
        RandomSaturatedColor(colour.rgb);
        EXPECT_EQ(colour.rgb[0], 0);
        EXPECT_EQ(colour.rgb[1], 255);
        EXPECT_EQ(colour.rgb[2], 0);
    }
    {
        ScriptedRandom random({0, 0, 0, 21844});
        RandomSaturatedColor(colour.rgb);
        EXPECT_EQ(colour.rgb[1], 255);
        EXPECT_EQ(colour.rgb[2], 0);
    }
    {
        ScriptedRandom random({0, 0, 0, 21845});
        RandomSaturatedColor(colour.rgb);
        EXPECT_EQ(colour.rgb[1], 0);
        EXPECT_EQ(colour.rgb[2], 255);
    }
}

TEST(RandomSaturatedColor, NeverBlackOverManyDraws)
{
    uint8_t colour[3];
    for (int value = 0; value < 32768; value += 97) {
        ScriptedRandom random({0, 0, 0, value});
        RandomSaturatedColor(colour);
        EXPECT_TRUE(colour[0] == 255 || colour[1] == 255 || colour[2] == 255) << value;
    }
}

TEST(RandomColorInRange, ExtremesOfEachRange)
{
    uint8_t colour[3];
    {
        ScriptedRandom random({0, 32767, 16384});
        RandomColorInRange(colour, 128, 128);
        EXPECT_EQ(colour[0], 128);
        EXPECT_EQ(colour[1], 255);
        EXPECT_EQ(colour[2], 192);
        EXPECT_EQ(random.draws(), 3);
    }
    {
        ScriptedRandom random({0, 32767, 32767});
        RandomColorInRange(colour, 0, 256);
        EXPECT_EQ(colour[0], 0);
        EXPECT_EQ(colour[1], 255);
    }
    {
        ScriptedRandom random({}, 32767);
        RandomColorInRange(colour, 0, 148);
        EXPECT_EQ(colour[0], 147);
    }
    {
        // The sum wraps in 8 bits.
        ScriptedRandom random({}, 32767);
        RandomColorInRange(colour, 200, 100);
        EXPECT_EQ(colour[0], static_cast<uint8_t>(200 + 99));
    }
}

TEST(Actor, BaseIsInertAndStartsAtOrigin)
{
    Actor actor(nullptr);
    actor.Restyle();
    actor.Update();
    actor.Draw();
    EXPECT_EQ(actor.position.x, 0.0f);
    EXPECT_EQ(actor.position.y, 0.0f);
    EXPECT_EQ(actor.position.z, 0.0f);
    EXPECT_EQ(actor.scene, nullptr);
    Vec3 v;
    EXPECT_EQ(v.Set(1, 2, 3).y, 2.0f);
}

}  // namespace
