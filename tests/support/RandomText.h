#pragma once
#include <cstddef>
#include <random>
#include <string>

// Up to maxLength characters drawn from `alphabet`, for the parsers' random-input tests.
inline std::string RandomText(std::mt19937& random, const std::string& alphabet, std::size_t maxLength)
{
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text(length(random), ' ');
    for (char& c : text)
        c = alphabet[pick(random)];
    return text;
}
