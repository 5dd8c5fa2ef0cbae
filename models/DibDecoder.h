#pragma once
// Our own bitmap conversion, in place of the system's where there is none:
// it gives the picture that the system's SetDIBits into a 24-bit section
// gives, for 1, 4 and 8 bits with a colour table, 16 and 32 bits (default
// layouts and bit fields), 24 bits, and the RLE8 and RLE4 compressions.

#include <cstddef>
#include <cstdint>

#include "models/DibFile.h"
#include "models/RgbImage.h"

// Converts a bitmap that ReadDibFile accepted. Fails with Conversion for an
// RLE stream that runs on past the top row of the picture or ends inside a
// code, and with OutOfMemory when the picture cannot be allocated.
DibError ConvertDib(const DibSource& source, RgbImage& image);

// ReadDibFile, then ConvertDib.
DibError DecodeDibFile(const std::uint8_t* file, std::size_t size, RgbImage& image);
