// bmp2png: shows what the texture loader makes of a bitmap file by writing
// the picture it loads as a PNG.
//
//   bmp2png INPUT.bmp OUTPUT.png
//
// Exit code 0 when written; 1 when the loader refused the file (its message
// is on stderr) or the PNG could not be written; 2 for a wrong command line.
#include <cstdio>
#include <string>
#include <vector>

#include "models/TextureLoader.h"
#include "platform/linux/StderrTexturePlatform.h"
#include "platform/offscreen/PngWriter.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bmp2png INPUT.bmp OUTPUT.png\n");
        return 2;
    }
    InstallStderrTexturePlatform("bmp2png");
    const auto image = LoadRgbImage(argv[1]);
    if (!image)
        return 1;

    // The writer takes RGBA rows, bottom row first, as the picture keeps them.
    const size_t pixels = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
    std::vector<uint8_t> rgba(pixels * 4, 255);
    for (size_t i = 0; i < pixels; ++i)
        for (size_t c = 0; c < 3; ++c)
            rgba[4 * i + c] = image->data[3 * i + c];
    std::string error;
    if (!WritePng(argv[2], rgba, image->width, image->height, error)) {
        std::fprintf(stderr, "bmp2png: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
