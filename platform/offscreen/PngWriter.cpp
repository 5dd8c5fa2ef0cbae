#include "platform/offscreen/PngWriter.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

struct File {
    std::FILE* handle = nullptr;
    ~File()
    {
        if (handle)
            std::fclose(handle);
    }
};

}  // namespace

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgbaBottomUp, int width, int height,
              std::string& error)
{
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    if (width <= 0 || height <= 0 || rgbaBottomUp.size() < rowBytes * static_cast<size_t>(height)) {
        error = "no picture to write";
        return false;
    }
    File file;
    file.handle = std::fopen(path.c_str(), "wb");
    if (!file.handle) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory writing '" + path + "'";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = "cannot write '" + path + "'";
        return false;
    }
    png_init_io(png, file.handle);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The picture is opaque: drop the alpha bytes GL leaves behind.
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int row = height - 1; row >= 0; --row)
        png_write_row(png, const_cast<png_bytep>(rgbaBottomUp.data() + rowBytes * static_cast<size_t>(row)));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.handle) != 0 || std::ferror(file.handle)) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    return true;
}
