#pragma once

#include <memory>

#include "models/TextureLoader.h"

// A whole regular file mapped read-only. Null when the file cannot be
// opened or mapped, or is no regular file (opened without blocking, so a
// FIFO cannot hang the program); an empty file cannot be mapped, as on Windows.
std::unique_ptr<FileBytes> MapWholeFile(const char* name);
