// bmp2png: shows what the texture loader makes of a bitmap file by writing
// the picture it loads as a PNG.
//
//   bmp2png INPUT.bmp OUTPUT.png [INPUT.bmp OUTPUT.png ...]
//
// Exit code 0 when every picture was written; 1 when the loader refused a
// file (its message is on stderr) or a PNG could not be written, after
// trying the others; 2 for a wrong command line.
#include <cstdio>
#include <string>
#include <vector>

#include "models/TextureLoader.h"
#include "platform/linux/StderrTexturePlatform.h"
#include "platform/offscreen/PngWriter.h"

namespace {

bool Convert(const char* input, const char* output)
{
    const auto image = LoadRgbImage(input);
    if (!image)
        return false;
    // The writer takes RGBA rows, bottom row first, as the picture keeps them.
    const size_t pixels = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
    std::vector<uint8_t> rgba(pixels * 4, 255);
    for (size_t i = 0; i < pixels; ++i)
        for (size_t c = 0; c < 3; ++c)
            rgba[4 * i + c] = image->data[3 * i + c];
    std::string error;
    if (!WritePng(output, rgba, image->width, image->height, error)) {
        std::fprintf(stderr, "bmp2png: %s\n", error.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: bmp2png INPUT.bmp OUTPUT.png [INPUT.bmp OUTPUT.png ...]\n");
        return 2;
    }
    InstallStderrTexturePlatform("bmp2png");
    bool allWritten = true;
    for (int i = 1; i + 1 < argc; i += 2)
        allWritten = Convert(argv[i], argv[i + 1]) && allWritten;
    return allWritten ? 0 : 1;
}
