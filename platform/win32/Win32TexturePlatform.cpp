#include "platform/win32/Win32TexturePlatform.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

#include "models/DibDecoder.h"
#include "platform/win32/Win32SaverWindow.h"

// The working block from ReadDibFile goes to SetDIBits as it is: it must be
// BITMAPINFO byte for byte.
#define QUILLMOOR_SAME_FIELD(ours, field, theirs, theirField)                                          \
    static_assert(offsetof(ours, field) == offsetof(theirs, theirField)                                \
                      && sizeof(ours::field) == sizeof(theirs::theirField)                             \
                      && std::is_signed_v<decltype(ours::field)> == std::is_signed_v<decltype(theirs::theirField)>, \
                  #ours "::" #field " is not " #theirs "::" #theirField)
QUILLMOOR_SAME_FIELD(DibHeader, size, BITMAPINFOHEADER, biSize);
QUILLMOOR_SAME_FIELD(DibHeader, width, BITMAPINFOHEADER, biWidth);
QUILLMOOR_SAME_FIELD(DibHeader, height, BITMAPINFOHEADER, biHeight);
QUILLMOOR_SAME_FIELD(DibHeader, planes, BITMAPINFOHEADER, biPlanes);
QUILLMOOR_SAME_FIELD(DibHeader, bitCount, BITMAPINFOHEADER, biBitCount);
QUILLMOOR_SAME_FIELD(DibHeader, compression, BITMAPINFOHEADER, biCompression);
QUILLMOOR_SAME_FIELD(DibHeader, sizeImage, BITMAPINFOHEADER, biSizeImage);
QUILLMOOR_SAME_FIELD(DibHeader, xPelsPerMeter, BITMAPINFOHEADER, biXPelsPerMeter);
QUILLMOOR_SAME_FIELD(DibHeader, yPelsPerMeter, BITMAPINFOHEADER, biYPelsPerMeter);
QUILLMOOR_SAME_FIELD(DibHeader, clrUsed, BITMAPINFOHEADER, biClrUsed);
QUILLMOOR_SAME_FIELD(DibHeader, clrImportant, BITMAPINFOHEADER, biClrImportant);
QUILLMOOR_SAME_FIELD(DibColor, blue, RGBQUAD, rgbBlue);
QUILLMOOR_SAME_FIELD(DibColor, green, RGBQUAD, rgbGreen);
QUILLMOOR_SAME_FIELD(DibColor, red, RGBQUAD, rgbRed);
QUILLMOOR_SAME_FIELD(DibColor, reserved, RGBQUAD, rgbReserved);
QUILLMOOR_SAME_FIELD(DibInfo, header, BITMAPINFO, bmiHeader);
#undef QUILLMOOR_SAME_FIELD
static_assert(sizeof(DibHeader) == sizeof(BITMAPINFOHEADER) && sizeof(DibColor) == sizeof(RGBQUAD));
// The masks of a bit-fields bitmap and the colour table both start where
// bmiColors does.
static_assert(offsetof(DibInfo, masks) == offsetof(BITMAPINFO, bmiColors));
static_assert(offsetof(DibInfo, colors) == offsetof(BITMAPINFO, bmiColors));
static_assert(sizeof(DibInfo) == sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
static_assert(alignof(DibInfo) >= alignof(BITMAPINFO));

namespace {

// A view of a whole file; closed in the reverse order of opening.
class MappedView : public FileBytes {
public:
    ~MappedView() override
    {
        if (view)
            UnmapViewOfFile(view);
        if (mapping)
            CloseHandle(mapping);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    const std::uint8_t* data() const override { return static_cast<const std::uint8_t*>(view); }
    std::size_t size() const override { return bytes; }

    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    const void* view = nullptr;
    std::size_t bytes = 0;
};

// The memory device context and the 24-bit section selected into it: the
// context goes first, which leaves the section free to be deleted.
struct Surface {
    ~Surface()
    {
        if (dc)
            DeleteDC(dc);
        if (section)
            DeleteObject(section);
    }
    HDC dc = nullptr;
    HBITMAP section = nullptr;
    const std::uint8_t* bits = nullptr;
};

// A 24-bit section of the bitmap's size in `surface`; false when the system
// has no room for one.
bool MakeSurface(LONG width, LONG height, Surface& surface)
{
    surface.dc = CreateCompatibleDC(nullptr);
    if (!surface.dc)
        return false;
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof target.bmiHeader;
    target.bmiHeader.biWidth = width;
    target.bmiHeader.biHeight = height;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 24;
    target.bmiHeader.biCompression = BI_RGB;
    target.bmiHeader.biSizeImage = static_cast<DWORD>(height) * static_cast<DWORD>(width) * 3;
    void* bits = nullptr;
    surface.section = CreateDIBSection(surface.dc, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    surface.bits = static_cast<const std::uint8_t*>(bits);
    return surface.section && surface.bits && SelectObject(surface.dc, surface.section);
}

}  // namespace

std::unique_ptr<FileBytes> Win32TexturePlatform::OpenFile(const char* name)
{
    auto file = std::make_unique<MappedView>();
    file->file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    if (file->file == INVALID_HANDLE_VALUE)
        return nullptr;
    // An empty file cannot be mapped; one too large for the address space
    // cannot be viewed whole.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file->file, &size) || size.QuadPart <= 0
        || static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX)
        return nullptr;
    file->bytes = static_cast<std::size_t>(size.QuadPart);
    file->mapping = CreateFileMappingA(file->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!file->mapping)
        return nullptr;
    file->view = MapViewOfFile(file->mapping, FILE_MAP_READ, 0, 0, 0);
    if (!file->view)
        return nullptr;
    return file;
}

void Win32TexturePlatform::ShowError(const char* text)
{
    // The program ends after the box; the saver window, which would close
    // on losing the activation to it and take the box along, goes first.
    CloseSaverWindowForError();
    ShowErrorBox(GetFocus(), text);
}

DibError Win32TexturePlatform::ConvertBitmap(const DibSource& source, RgbImage& image)
{
    // ReadDibFile has bounded what GDI reads: every row of an uncompressed
    // bitmap is in the file, the colours and masks are in the block, and an
    // RLE stream's size is cut to what the file holds. An RLE stream is also
    // walked by our own conversion first, so that a run past the picture
    // gets the message it gets everywhere, whatever GDI makes of it.
    const DibHeader& header = source.info.header;
    if (header.width <= 0 || header.height <= 0 || !source.bits)
        return DibError::Conversion;
    if (header.compression == kDibRle8 || header.compression == kDibRle4) {
        RgbImage walked;
        const DibError error = ConvertDib(source, walked);
        if (error != DibError::NoError)
            return error;
    }

    Surface surface;
    if (!MakeSurface(header.width, header.height, surface))
        return DibError::OutOfMemory;
    if (SetDIBits(surface.dc, surface.section, 0, static_cast<UINT>(header.height), source.bits,
                  reinterpret_cast<const BITMAPINFO*>(&source.info), DIB_RGB_COLORS)
        == 0)
        return DibError::Conversion;
    GdiFlush();

    // Blue, green, red in the section; its rows are padded to 4 bytes.
    const std::size_t width = static_cast<std::size_t>(header.width);
    const std::size_t height = static_cast<std::size_t>(header.height);
    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[width * height * 3]);
    if (!data)
        return DibError::OutOfMemory;
    const std::uint8_t* in = surface.bits;
    std::uint8_t* out = data.get();
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        in += width & 3;
    }
    image.width = header.width;
    image.height = header.height;
    image.data = std::move(data);
    return DibError::NoError;
}

void InstallWin32TexturePlatform()
{
    static Win32TexturePlatform platform;
    SetTexturePlatform(&platform);
}
