#pragma once
// Our own bitmap conversion, in place of the system's where there is none:
// it gives the picture that the system's SetDIBits into a 24-bit section
// gives, for 1, 4 and 8 bits with a colour table, 16 and 32 bits (default
// layouts and bit fields), 24 bits, and the RLE8 and RLE4 compressions.

#include <cstddef>
#include <cstdint>

#include "models/DibFile.h"
#include "models/RgbImage.h"

// Converts a bitmap that ReadDibFile accepted. Fails with Conversion for a
// picture without width, height or pixel data, and for an RLE stream that
// puts pixels in a row above the picture (where end-of-line and move codes
// took it) or whose move or literal run is cut short by the end of the data.
// An RLE stream may end without its end-of-bitmap code, or with one byte
// left over: the picture ends there. Pixels past the right edge are dropped
// and pixels no code reaches stay black. Fails with OutOfMemory when the
// picture is over kMaxDibPictureBytes or cannot be allocated.
DibError ConvertDib(const DibSource& source, RgbImage& image);

// ReadDibFile, then ConvertDib.
DibError DecodeDibFile(const std::uint8_t* file, std::size_t size, RgbImage& image);
