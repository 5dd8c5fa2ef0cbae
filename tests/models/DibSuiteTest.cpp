// The bitmap suite in tests/data/bmpsuite: good (g), questionable (q) and
// bad (b) files, each decoded in a buffer of exactly its size.
#include <gtest/gtest.h>

#include <iostream>

#include "models/DibDecoder.h"
#include "tests/models/BitmapTestSupport.h"

namespace {

constexpr DibError kDecodes = DibError::None;
constexpr DibError kUnknown = DibError::UnknownFormat;
constexpr DibError kMemory = DibError::OutOfMemory;
constexpr DibError kConversion = DibError::Conversion;

struct SuiteFile {
    const char* name;
    DibError outcome;
    // Whether the picture is ImageMagick's. Where not, the system converts
    // differently: skipped RLE pixels are black, not colour 0; fields of 1
    // to 3 bits widen by repeating their top bits once; colours past the
    // table are black; or ImageMagick refuses the file.
    bool asImageMagick = true;
    const char* reference = nullptr;  // html/ picture of the good file
};

const SuiteFile kSuite[] = {
    {"g/pal1", kDecodes, true, "pal1"},
    {"g/pal1bg", kDecodes, true, "pal1bg"},
    {"g/pal1wb", kDecodes},
    {"g/pal4", kDecodes, true, "pal4"},
    {"g/pal4rle", kDecodes, true, "pal4"},
    {"g/pal8-0", kDecodes, true, "pal8"},
    {"g/pal8", kDecodes, true, "pal8"},
    {"g/pal8nonsquare", kDecodes},
    {"g/pal8os2", kDecodes, true, "pal8"},
    {"g/pal8rle", kDecodes, true, "pal8"},
    {"g/pal8topdown", kConversion},
    {"g/pal8v4", kUnknown},
    {"g/pal8v5", kUnknown},
    {"g/pal8w124", kDecodes, true, "pal8w124"},
    {"g/pal8w125", kDecodes, true, "pal8w125"},
    {"g/pal8w126", kDecodes, true, "pal8w126"},
    {"g/rgb16-565", kDecodes, true, "rgb16-565"},
    {"g/rgb16-565pal", kDecodes, true, "rgb16-565"},
    {"g/rgb16", kDecodes, true, "rgb16"},
    {"g/rgb24", kDecodes, true, "rgb24"},
    {"g/rgb24pal", kDecodes, true, "rgb24"},
    {"g/rgb32", kDecodes, true, "rgb24"},
    {"g/rgb32bf", kDecodes, true, "rgb24"},

    {"q/pal1p1", kDecodes},
    {"q/pal2", kConversion},
    {"q/pal4rletrns", kDecodes, false},
    {"q/pal8offs", kDecodes},
    {"q/pal8os2sp", kDecodes},
    {"q/pal8os2v2-16", kUnknown},
    {"q/pal8os2v2", kUnknown},
    {"q/pal8oversizepal", kDecodes, false},
    {"q/pal8rletrns", kDecodes, false},
    {"q/rgb16-231", kDecodes, false},
    {"q/rgb24jpeg", kUnknown},
    {"q/rgb24largepal", kDecodes},
    {"q/rgb24lprof", kUnknown},
    {"q/rgb24png", kUnknown},
    {"q/rgb24prof", kUnknown},
    {"q/rgb32-111110", kDecodes, false},
    {"q/rgb32bf-xbgr", kUnknown},
    {"q/rgb32fakealpha", kDecodes},
    {"q/rgb32h52", kUnknown},
    {"q/rgba16-4444", kUnknown},
    {"q/rgba32", kUnknown},
    {"q/rgba32abf", kConversion},
    {"q/rgba32h56", kUnknown},

    {"b/badbitcount", kConversion},
    {"b/badbitssize", kDecodes},
    {"b/baddens1", kDecodes},
    {"b/baddens2", kDecodes},
    {"b/badfilesize", kDecodes, false},
    {"b/badheadersize", kUnknown},
    {"b/badpalettesize", kDecodes, false},
    {"b/badplanes", kDecodes, false},
    {"b/badrle", kConversion},
    {"b/badwidth", kConversion},
    {"b/pal8badindex", kDecodes, false},
    {"b/reallybig", kMemory},
    {"b/rletopdown", kConversion},
    {"b/shortfile", kConversion},
};

TEST(DibSuiteTest, EveryFileDecodesToItsPictureOrGetsItsMessage)
{
    const std::string suite = kTestData + "/bmpsuite/";
    for (const SuiteFile& file : kSuite) {
        SCOPED_TRACE(file.name);
        const std::string path = suite + file.name + ".bmp";
        const std::vector<std::uint8_t> bytes = ReadBytes(path);
        ASSERT_FALSE(bytes.empty());
        RgbImage image;
        const DibError outcome = DecodeDibFile(bytes.data(), bytes.size(), image);
        std::cout << "  " << file.name << ": " << (outcome == kDecodes ? "decodes" : DibErrorText(outcome))
                  << "\n";
        ASSERT_EQ(outcome, file.outcome) << DibErrorText(outcome);
        if (outcome != kDecodes)
            continue;

        const Picture decoded = FromRgbImage(image);
        Picture expected;
        if (file.asImageMagick) {
            ASSERT_TRUE(ReadWithImageMagick(path, expected));
            EXPECT_EQ(LargestDifference(decoded, expected), 0);
        }
        // The reference pictures are the ideal ones; the files' colours stray
        // from them by up to one level.
        if (file.reference) {
            ASSERT_TRUE(ReadWithImageMagick(suite + "html/" + file.reference + ".png", expected));
            EXPECT_LE(LargestDifference(decoded, expected), 1);
        }
    }
}

}  // namespace
