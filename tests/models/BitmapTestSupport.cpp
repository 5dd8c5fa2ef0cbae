#include "tests/models/BitmapTestSupport.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
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

namespace {

bool ReadPpm(std::FILE* in, Picture& picture)
{
    int maxValue = 0;
    const bool header = std::fscanf(in, "P6 %d %d %d", &picture.width, &picture.height, &maxValue) == 3
        && std::fgetc(in) != EOF && maxValue == 255 && picture.width > 0 && picture.height > 0;
    picture.rgb.assign(header ? static_cast<size_t>(picture.width) * picture.height * 3 : 0, 0);
    return header && std::fread(picture.rgb.data(), 1, picture.rgb.size(), in) == picture.rgb.size();
}

}  // namespace

bool ReadWithImageMagick(const std::string& path, Picture& picture)
{
    std::FILE* pipe = popen((kImageMagick + " '" + path + "' -depth 8 ppm:- 2>/dev/null").c_str(), "r");
    if (!pipe)
        return false;
    const bool read = ReadPpm(pipe, picture);
    return pclose(pipe) == 0 && read;
}

bool ReadAllWithImageMagick(const std::vector<std::string>& paths, const std::string& scratch,
                            std::vector<Picture>& pictures)
{
    std::string command = kImageMagick;
    for (const std::string& path : paths)
        command += " '" + path + "'";
    if (RunCommand(command + " -depth 8 +adjoin '" + scratch + "/decoded-%d.ppm'") != 0)
        return false;
    pictures.assign(paths.size(), {});
    for (size_t i = 0; i < paths.size(); ++i) {
        std::FILE* in = std::fopen((scratch + "/decoded-" + std::to_string(i) + ".ppm").c_str(), "rb");
        const bool read = in && ReadPpm(in, pictures[i]);
        if (in)
            std::fclose(in);
        if (!read)
            return false;
    }
    return true;
}

bool ReadPng(const std::string& path, Picture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.assign(PNG_IMAGE_SIZE(image), 0);
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

int RunCommand(const std::string& command)
{
    const int status = std::system(command.c_str());
    return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

ScratchFolder::ScratchFolder()
{
    static int made = 0;
    path = (std::filesystem::temp_directory_path()
            / ("quillmoor-bitmaps-" + std::to_string(getpid()) + "-" + std::to_string(++made)))
               .string();
    std::filesystem::create_directories(path);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> HandBitmap::Bytes() const
{
    std::vector<std::uint8_t> header;
    Put32(header, headerSize);
    if (headerSize == 12) {
        Put16(header, static_cast<std::uint32_t>(width));
        Put16(header, static_cast<std::uint32_t>(height));
        Put16(header, 1);
        Put16(header, bitCount);
    } else {
        Put32(header, static_cast<std::uint32_t>(width));
        Put32(header, static_cast<std::uint32_t>(height));
        Put16(header, 1);
        Put16(header, bitCount);
        Put32(header, compression);
        Put32(header, static_cast<std::uint32_t>(pixels.size()));
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, clrUsed);
        Put32(header, 0);
        header.resize(std::max<std::uint32_t>(headerSize, 4), 0);
    }
    for (std::uint32_t mask : masks)
        Put32(header, mask);
    for (std::uint32_t color : palette) {
        header.push_back(static_cast<std::uint8_t>(color));
        header.push_back(static_cast<std::uint8_t>(color >> 8));
        header.push_back(static_cast<std::uint8_t>(color >> 16));
        if (headerSize != 12)
            header.push_back(0);
    }

    std::vector<std::uint8_t> file;
    if (fileHeader) {
        file = {'B', 'M'};
        Put32(file, static_cast<std::uint32_t>(14 + header.size() + pixels.size()));
        Put32(file, 0);
        Put32(file, static_cast<std::uint32_t>(14 + header.size()));
    }
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}
