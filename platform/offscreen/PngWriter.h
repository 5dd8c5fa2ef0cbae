#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes bottom-up RGBA pixels as an RGB PNG file (top row first, as image
// viewers expect). False with `error` set when the file cannot be written.
bool WritePng(const std::string& path, const std::vector<uint8_t>& rgbaBottomUp, int width, int height,
              std::string& error);
