#include "tests/models/BitmapTestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

Picture FromRgbImage(const RgbImage& image)
{
    Picture picture{image.width, image.height, {}};
    const size_t row = static_cast<size_t>(image.width) * 3;
    for (int y = image.height - 1; y >= 0; --y)
        picture.rgb.insert(picture.rgb.end(), image.data.get() + row * y, image.data.get() + row * (y + 1));
    return picture;
}

int LargestDifference(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size())
        return 256;
    int largest = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        largest = std::max(largest, std::abs(a.rgb[i] - b.rgb[i]));
    return largest;
}

bool ReadWithImageMagick(const std::vector<std::string>& paths, const std::string& scratch,
                         std::vector<Picture>& pictures)
{
    std::string command = kImageMagick;
    for (const std::string& path : paths)
        command += " '" + path + "'";
    if (RunCommand(command + " -depth 8 +adjoin '" + scratch + "/decoded-%d.ppm'") != 0)
        return false;
    pictures.assign(paths.size(), {});
    for (size_t i = 0; i < paths.size(); ++i) {
        std::ifstream in(scratch + "/decoded-" + std::to_string(i) + ".ppm", std::ios::binary);
        std::string magic;
        int maxValue = 0;
        Picture& picture = pictures[i];
        in >> magic >> picture.width >> picture.height >> maxValue;
        in.get();
        if (magic != "P6" || maxValue != 255 || picture.width <= 0 || picture.height <= 0)
            return false;
        picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
        if (!in.read(reinterpret_cast<char*>(picture.rgb.data()), static_cast<std::streamsize>(picture.rgb.size())))
            return false;
    }
    return true;
}

int RunCommand(const std::string& command)
{
    const int status = std::system(command.c_str());
    return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
}

ScratchFolder::ScratchFolder()
{
    static int made = 0;
    path = std::filesystem::temp_directory_path().string() + "/quillmoor-bitmaps-" + std::to_string(getpid()) + "-"
        + std::to_string(++made);
    std::filesystem::create_directories(path);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
