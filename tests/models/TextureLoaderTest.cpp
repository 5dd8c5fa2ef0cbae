// The texture loader as models use it: the message the user is told for
// each kind of bitmap that cannot be made into a picture, and the GL state of
// a texture made from one whose rows are not a multiple of 4 bytes.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "models/Model.h"
#include "models/TextureLoader.h"
#include "platform/linux/StderrTexturePlatform.h"
#include "tests/models/BitmapTestSupport.h"
#include "tests/models/HandModels.h"
#include "tests/support/GlTest.h"

namespace {

// Every name opens the one file held in memory; messages are kept.
class MemoryTexturePlatform : public TexturePlatform {
public:
    explicit MemoryTexturePlatform(std::vector<std::uint8_t> file) : file_(std::move(file))
    {
        SetTexturePlatform(this);
    }
    ~MemoryTexturePlatform() override { InstallStderrTexturePlatform("quillmoor"); }

    std::unique_ptr<FileBytes> OpenFile(const char*) override { return std::make_unique<Bytes>(file_); }
    void ShowError(const char* text) override { messages.push_back(text); }

    std::vector<std::string> messages;

private:
    struct Bytes : FileBytes {
        explicit Bytes(const std::vector<std::uint8_t>& file) : file(file) {}
        const std::uint8_t* data() const override { return file.data(); }
        std::size_t size() const override { return file.size(); }
        const std::vector<std::uint8_t>& file;
    };
    std::vector<std::uint8_t> file_;
};

struct MessageCase {
    const char* what;
    std::function<void(HandBitmap&)> change;  // of a whole 2 x 2 24-bit bitmap
    const char* message;                      // null: the picture is made
};

const MessageCase kMessageCases[] = {
    {"a readable bitmap", {}, nullptr},
    {"a 64-byte header", [](HandBitmap& b) { b.headerSize = 64; }, "Unknown DIB file format."},
    {"no header at all", [](HandBitmap& b) { b.headerSize = 0; }, "Unknown DIB file format."},
    {"20000 x 20000 pixels", [](HandBitmap& b) { b.width = b.height = 20000; }, "Out of memory."},
    {"height 0", [](HandBitmap& b) { b.height = 0; }, "Image file conversion error."},
    {"the last row cut short", [](HandBitmap& b) { b.pixels.pop_back(); }, "Image file conversion error."},
    {"7 bits per pixel", [](HandBitmap& b) { b.bitCount = 7; }, "Image file conversion error."},
};

TEST(TextureLoaderTest, EachUnreadableBitmapTellsItsOwnMessageOnce)
{
    for (const MessageCase& each : kMessageCases) {
        SCOPED_TRACE(each.what);
        HandBitmap bitmap;
        bitmap.width = 2, bitmap.height = 2, bitmap.pixels.assign(2 * 8, 0x7F);
        if (each.change)
            each.change(bitmap);
        MemoryTexturePlatform platform(bitmap.Bytes());
        const bool made = LoadRgbImage("texture.bmp") != nullptr;
        EXPECT_EQ(made, each.message == nullptr);
        const std::vector<std::string> told = each.message ? std::vector<std::string>{each.message}
                                                           : std::vector<std::string>{};
        EXPECT_EQ(platform.messages, told);
    }
}

class TextureStateTest : public GlTest {
protected:
    TextureStateTest() : GlTest(60, 60) {}
};

// A 3 x 3 picture: rows of 9 bytes, padded to 12 in the file and not in the
// picture handed to GL. Bottom row first, 0xRRGGBB.
constexpr std::uint32_t kThreeByThree[3][3] = {
    {0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFF00, 0x00FFFF, 0xFF00FF}, {0xFFFFFF, 0x808080, 0x000000}};

TEST_F(TextureStateTest, RowsOfThreePixelsArriveWholeAndSamplingIsLinearFromTheBaseLevel)
{
    HandBitmap bitmap;
    bitmap.width = 3, bitmap.height = 3;
    for (const auto& row : kThreeByThree) {
        for (std::uint32_t color : row)
            for (int shift : {0, 8, 16})
                bitmap.pixels.push_back(static_cast<std::uint8_t>(color >> shift));
        bitmap.pixels.insert(bitmap.pixels.end(), 3, 0);
    }
    ScratchFolder folder;
    const std::string file = folder / "three.bmp";
    WriteBytes(file, bitmap.Bytes());
    TexturedSquare square(file);
    Model model;
    DrawLitTexturedSquare(square, model);

    // GLU scales the picture to 4 x 4; the corner texels, drawn at these
    // pixels' centres, are the picture's corners alone.
    for (int row : {0, 2})
        for (int column : {0, 2}) {
            const std::uint32_t color = kThreeByThree[row][column];
            const auto pixel = PixelAt(column ? 52 : 7, row ? 52 : 7);
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(pixel[c], color >> (16 - 8 * c) & 0xFF, 3) << "row " << row << ", column " << column;
        }

    GLint bound = 0, minFilter = 0, magFilter = 0, alignment = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    ASSERT_EQ(static_cast<GLuint>(bound), model.textures[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    // Left in place for later uploads.
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
}

}  // namespace
