// Bitmap files loaded through the Windows platform (the file mapped, GDI's
// SetDIBits converting) and through our own conversion, ConvertDib: the
// same picture or the same message; and a model textured through GDI. The files are read at run time from
// the test data folder: $QUILLMOOR_TEST_DATA, else tests/data under the
// working directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iostream>
#include <cstdlib>
#include <filesystem>

#include "models/DibDecoder.h"
#include "models/Model.h"
#include "platform/win32/Win32TexturePlatform.h"
#include "tests/models/BitmapFiles.h"
#include "tests/models/HandModels.h"
#include "tests/win32/WglContext.h"

namespace {

std::string DataFolder()
{
    const char* set = std::getenv("QUILLMOOR_TEST_DATA");
    return set && *set ? set : "tests/data";
}

// The Windows platform with its messages kept instead of shown.
class QuietPlatform : public Win32TexturePlatform {
public:
    void ShowError(const char* text) override { messages += text; }
    std::string messages;
};

// What a load gave: its message, or the picture.
struct Outcome {
    std::string message;
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;

    Outcome(const std::string& text, const RgbImage* image) : message(text)
    {
        if (!image)
            return;
        width = image->width, height = image->height;
        rgb.assign(image->data.get(), image->data.get() + 3 * width * height);
    }
    // "same", or how the two differ.
    std::string Against(const Outcome& other) const
    {
        if (message != other.message)
            return "\"" + message + "\" against \"" + other.message + "\"";
        return width == other.width && height == other.height && rgb == other.rgb ? "same" : "pictures differ";
    }
};

Outcome ThroughGdi(const std::string& path)
{
    QuietPlatform platform;
    SetTexturePlatform(&platform);
    const std::unique_ptr<RgbImage> image = LoadRgbImage(path.c_str());
    SetTexturePlatform(nullptr);
    return {platform.messages, image.get()};
}

Outcome ThroughOurs(const std::vector<std::uint8_t>& file)
{
    RgbImage image;
    const DibError error = DecodeDibFile(file.data(), file.size(), image);
    return error == DibError::NoError ? Outcome("", &image) : Outcome(DibErrorText(error), nullptr);
}

// Files where Wine's GDI and our conversion differ, one line each: none.
// Wine's GDI alone would draw b/badrle (runs past the top row are dropped)
// where ours refuses it; the platform walks RLE streams with ours first, so
// that the file gets the same message on every platform.
const char* const kWineDiffers = "";

TEST(Win32TextureTest, TheBitmapSuiteGivesWhatOurConversionGives)
{
    const std::string suite = DataFolder() + "/bmpsuite/";
    std::vector<std::string> names;
    for (const char* folder : {"g", "q", "b"})
        for (const auto& entry : std::filesystem::directory_iterator(suite + folder))
            names.push_back(std::string(folder) + "/" + entry.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 60u) << "no bitmap suite in " << suite;

    std::string differ;
    for (const std::string& name : names) {
        const Outcome gdi = ThroughGdi(suite + name);
        const std::string against = gdi.Against(ThroughOurs(ReadBytes(suite + name)));
        std::cout << "  " << name << ": " << (gdi.message.empty() ? "decodes" : gdi.message) << "; "
                  << against << "\n";
        if (against != "same")
            differ += name + ": " + against + "\n";
    }
    EXPECT_EQ(differ, kWineDiffers);
}

// Every depth and compression, with the colour-table sizes, masks and
// field widths whose conversion only the system's rules decide.
struct Variant {
    const char* name;
    std::uint32_t headerSize;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    std::uint32_t colors = 0;  // a colour table shorter than the depth indexes
};

const Variant kVariants[] = {
    {"1 bit", 40, 1, kDibRgb, {}},
    {"4 bits", 40, 4, kDibRgb, {}},
    {"8 bits", 40, 8, kDibRgb, {}},
    {"8 bits, 5 colours", 40, 8, kDibRgb, {}, 5},
    {"core 1 bit", 12, 1, kDibRgb, {}},
    {"core 4 bits", 12, 4, kDibRgb, {}},
    {"core 8 bits", 12, 8, kDibRgb, {}},
    {"core 24 bits", 12, 24, kDibRgb, {}},
    {"16 bits", 40, 16, kDibRgb, {}},
    {"16 bits 5-6-5", 40, 16, kDibBitFields, {0xF800, 0x07E0, 0x001F}},
    {"16 bits 1-2-5", 40, 16, kDibBitFields, {0x8000, 0x6000, 0x001F}},
    {"24 bits", 40, 24, kDibRgb, {}},
    {"32 bits", 40, 32, kDibRgb, {}},
    {"32 bits 8-8-8 fields", 40, 32, kDibBitFields, {0x0000FF, 0x00FF00, 0xFF0000}},
    {"32 bits 10-10-10", 40, 32, kDibBitFields, {0x3FF00000, 0x000FFC00, 0x000003FF}},
    {"RLE8", 40, 8, kDibRle8, {}},
    {"RLE4", 40, 4, kDibRle4, {}},
};

HandBitmap Make(const Variant& variant, BitmapRandom& random, int width, int height)
{
    HandBitmap bitmap;
    bitmap.headerSize = variant.headerSize, bitmap.width = width, bitmap.height = height;
    bitmap.bitCount = variant.bitCount, bitmap.compression = variant.compression, bitmap.masks = variant.masks;
    bitmap.clrUsed = variant.colors;
    if (variant.bitCount <= 8)
        bitmap.palette.resize(variant.colors ? variant.colors : 1u << variant.bitCount);
    for (auto& color : bitmap.palette)
        color = random() & 0xFFFFFF;
    const bool rle = variant.compression == kDibRle8 || variant.compression == kDibRle4;
    if (rle) {
        bitmap.pixels = AnyRleStream(random, width, height, variant.compression == kDibRle4);
    } else {
        bitmap.pixels.resize(static_cast<size_t>((variant.bitCount * width + 31) / 32 * 4 * height));
        for (auto& byte : bitmap.pixels)
            byte = static_cast<std::uint8_t>(random());
    }
    return bitmap;
}

// A fresh folder in the system's temporary folder, removed with the object.
struct TempFolder {
    TempFolder()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        path = std::string(temp) + "quillmoor-textures-" + std::to_string(GetCurrentProcessId());
        std::filesystem::create_directories(path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

TEST(Win32TextureTest, HandMadeBitmapsOfEveryDepthAndWidthGiveWhatOurConversionGives)
{
    TempFolder folder;
    BitmapRandom random(11);
    int made = 0;
    for (const Variant& variant : kVariants)
        for (int width = 1; width <= 5; ++width)
            for (int height : {1, 3, 5})
                for (bool fileHeader : {true, false}) {
                    HandBitmap bitmap = Make(variant, random, width, height);
                    bitmap.fileHeader = fileHeader;
                    const std::vector<std::uint8_t> file = bitmap.Bytes();
                    const std::string path = folder.path + "/" + std::to_string(made++) + ".bmp";
                    WriteBytes(path, file);
                    const Outcome ours = ThroughOurs(file);
                    ASSERT_EQ(ours.message, "") << variant.name;
                    EXPECT_EQ(ThroughGdi(path).Against(ours), "same")
                        << variant.name << " " << width << "x" << height << (fileHeader ? "" : ", no file header");
                }
}

TEST(Win32TextureTest, AFileThatCannotBeMappedGetsTheOpenMessage)
{
    TempFolder folder;
    WriteBytes(folder.path + "/empty.bmp", {});
    for (const std::string& name : {folder.path + "/missing.bmp", folder.path + "/empty.bmp", folder.path}) {
        const Outcome gdi = ThroughGdi(name);
        EXPECT_EQ(gdi.message, "Failed to open DIB file " + name + ".\n");
        EXPECT_TRUE(gdi.rgb.empty()) << name;
    }
}

TEST(Win32TextureTest, AModelWhoseMaterialNamesABitmapIsDrawnWithItsPicture)
{
    WglContext gl;
    ASSERT_NE(gl.context, nullptr) << "no WGL context (are the 32-bit GL libraries installed?)";
    Win32TexturePlatform platform;
    SetTexturePlatform(&platform);
    TexturedSquare square(DataFolder() + "/textures/quadrants.bmp");
    Model model;
    DrawLitTexturedSquare(square, model);
    SetTexturePlatform(nullptr);
    for (const QuadrantPixel& at : kQuadrantPixels) {
        std::uint8_t pixel[4] = {};
        glReadPixels(at.x, at.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c], at.rgb[c], 3) << at.x << "," << at.y << " channel " << c;
    }
}

}  // namespace
