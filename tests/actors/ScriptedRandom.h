#pragma once

#include <deque>
#include <initializer_list>

#include "scene/RandomSource.h"

// Feeds the random source exact values while in scope: the queued values in
// order, then `fallback` for every further draw. Counts the draws taken.
class ScriptedRandom {
public:
    explicit ScriptedRandom(std::initializer_list<int> values = {}, int fallback = 0)
    {
        queue() = values;
        fallbackValue() = fallback;
        drawCount() = 0;
        SetRandomGenerator(&Next);
    }
    ~ScriptedRandom() { SetRandomGenerator(nullptr); }
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;

    void Push(std::initializer_list<int> values) { queue().insert(queue().end(), values); }
    void SetFallback(int value) { fallbackValue() = value; }
    int draws() const { return drawCount(); }
    size_t pending() const { return queue().size(); }

private:
    static std::deque<int>& queue()
    {
        static std::deque<int> values;
        return values;
    }
    static int& fallbackValue()
    {
        static int value = 0;
        return value;
    }
    static int& drawCount()
    {
        static int count = 0;
        return count;
    }
    static int Next()
    {
        ++drawCount();
        if (queue().empty())
            return fallbackValue();
        const int value = queue().front();
        queue().pop_front();
        return value;
    }
};
