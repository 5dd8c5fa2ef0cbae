#include "platform/offscreen/PngWriter.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

// What went wrong inside libpng: the cause of a failed write, or libpng's
// own message.
struct WriteState {
    std::FILE* file = nullptr;
    int writeErrno = 0;
    std::string message;
};

WriteState& StateOf(png_structp png)
{
    return *static_cast<WriteState*>(png_get_io_ptr(png));
}

void WriteBytes(png_structp png, png_bytep data, png_size_t length)
{
    WriteState& state = StateOf(png);
    if (std::fwrite(data, 1, length, state.file) != length) {
        state.writeErrno = errno != 0 ? errno : EIO;
        png_error(png, "write failed");
    }
}

void FlushBytes(png_structp png)
{
    WriteState& state = StateOf(png);
    if (std::fflush(state.file) != 0) {
        state.writeErrno = errno != 0 ? errno : EIO;
        png_error(png, "write failed");
    }
}

void RecordError(png_structp png, png_const_charp message)
{
    static_cast<WriteState*>(png_get_error_ptr(png))->message = message ? message : "libpng error";
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Encodes the picture into `state.file`; false with the cause in `state`.
bool Encode(WriteState& state, const std::vector<uint8_t>& rgbaBottomUp, int width, int height)
{
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, RecordError, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        state.message = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &state, WriteBytes, FlushBytes);
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
    return true;
}

}  // namespace

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgbaBottomUp, int width, int height,
              std::string& error)
{
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    if (width <= 0 || height <= 0 || rgbaBottomUp.size() < rowBytes * static_cast<size_t>(height)) {
        error = "no picture to write";
        return false;
    }
    // The picture goes to a name of its own first and takes the real name
    // only when complete, so a failed write leaves no cut file behind.
    const std::string partial = path + ".part";
    WriteState state;
    state.file = std::fopen(partial.c_str(), "wb");
    if (!state.file) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    bool written = Encode(state, rgbaBottomUp, width, height);
    if (written && std::fflush(state.file) != 0) {
        state.writeErrno = errno;
        written = false;
    }
    if (std::fclose(state.file) != 0 && written) {
        state.writeErrno = errno;
        written = false;
    }
    if (written && std::rename(partial.c_str(), path.c_str()) != 0) {
        state.writeErrno = errno;
        written = false;
    }
    if (!written) {
        std::remove(partial.c_str());
        error = "cannot write '" + path + "': "
            + (state.writeErrno != 0 ? std::string(std::strerror(state.writeErrno)) : state.message);
        return false;
    }
    return true;
}
