// The bitmap suite in tests/data/bmpsuite: good (g), questionable (q) and
// bad (b) files, each decoded in a buffer of exactly its size.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "models/DibDecoder.h"
#include "tests/models/BitmapTestSupport.h"

namespace {

const std::map<DibError, std::string> kOutcomes = {
    {DibError::NoError,
     "g/pal1 g/pal1bg g/pal1wb g/pal4 g/pal4rle g/pal8-0 g/pal8 g/pal8nonsquare g/pal8os2 g/pal8rle g/pal8w124 "
     "g/pal8w125 g/pal8w126 g/rgb16-565 g/rgb16-565pal g/rgb16 g/rgb24 g/rgb24pal g/rgb32 g/rgb32bf "
     "q/pal1p1 q/pal4rletrns q/pal8offs q/pal8os2sp q/pal8oversizepal q/pal8rletrns q/rgb16-231 q/rgb24largepal "
     "q/rgb32-111110 q/rgb32fakealpha b/badbitssize b/baddens1 b/baddens2 b/badfilesize b/badpalettesize "
     "b/badplanes b/pal8badindex"},
    {DibError::UnknownFormat,
     "g/pal8v4 g/pal8v5 q/pal8os2v2-16 q/pal8os2v2 q/rgb24jpeg q/rgb24lprof q/rgb24png q/rgb24prof "
     "q/rgb32bf-xbgr q/rgb32h52 q/rgba16-4444 q/rgba32 q/rgba32h56 b/badheadersize"},
    {DibError::OutOfMemory, "b/reallybig"},
    {DibError::Conversion,
     "g/pal8topdown q/pal2 q/rgba32abf b/badbitcount b/badrle b/badwidth b/rletopdown b/shortfile"},
};

// Decoded, but not to ImageMagick's picture: skipped RLE pixels are black,
// not colour 0; fields of 1 to 3 and over 8 bits widen and narrow as the
// system does; colours past the table are black; or ImageMagick refuses.
const std::string kNotAsImageMagick = "q/pal4rletrns q/pal8rletrns q/rgb16-231 q/rgb32-111110 q/pal8oversizepal "
                                      "b/badfilesize b/badpalettesize b/badplanes b/pal8badindex";

// Reference pictures of good files.
const std::map<std::string, std::string> kReferences = {
    {"g/pal1", "pal1"},   {"g/pal1bg", "pal1bg"},     {"g/pal4", "pal4"},         {"g/pal4rle", "pal4"},
    {"g/pal8", "pal8"},   {"g/pal8-0", "pal8"},       {"g/pal8os2", "pal8"},      {"g/pal8rle", "pal8"},
    {"g/rgb16", "rgb16"}, {"g/rgb16-565", "rgb16-565"}, {"g/rgb16-565pal", "rgb16-565"},
    {"g/rgb24", "rgb24"}, {"g/rgb24pal", "rgb24"},    {"g/rgb32", "rgb24"},       {"g/rgb32bf", "rgb24"},
    {"g/pal8w124", "pal8w124"}, {"g/pal8w125", "pal8w125"}, {"g/pal8w126", "pal8w126"}};

TEST(DibSuiteTest, EveryFileDecodesToItsPictureOrGetsItsMessage)
{
    const std::string suite = kTestData + "/bmpsuite/";
    std::vector<std::string> names, files;
    std::vector<Picture> decoded;
    std::vector<int> tolerance;
    std::multiset<std::string> listed;
    for (const auto& [outcome, list] : kOutcomes) {
        std::istringstream words(list);
        for (std::string name; words >> name;) {
            listed.insert(name);
            const std::vector<std::uint8_t> bytes = ReadBytes(suite + name + ".bmp");
            ASSERT_FALSE(bytes.empty()) << name;
            RgbImage image;
            const DibError result = DecodeDibFile(bytes.data(), bytes.size(), image);
            std::cout << "  " << name << ": " << (result == DibError::NoError ? "decodes" : DibErrorText(result)) << "\n";
            EXPECT_EQ(result, outcome) << name;
            if (result != DibError::NoError)
                continue;
            // The reference pictures are the ideal ones; the files' colours
            // stray from them by up to one level.
            const auto reference = kReferences.find(name);
            if (reference != kReferences.end()) {
                names.push_back(name + " against " + reference->second + ".png");
                files.push_back(suite + "html/" + reference->second + ".png");
                decoded.push_back(FromRgbImage(image));
                tolerance.push_back(1);
            }
            if ((" " + kNotAsImageMagick + " ").find(" " + name + " ") == std::string::npos) {
                names.push_back(name + " against ImageMagick");
                files.push_back(suite + name + ".bmp");
                decoded.push_back(FromRgbImage(image));
                tolerance.push_back(0);
            }
        }
    }
    // Every file of the suite is in one list, once.
    std::multiset<std::string> present;
    for (const char* kind : {"g", "q", "b"})
        for (const auto& entry : std::filesystem::directory_iterator(suite + kind))
            if (entry.path().extension() == ".bmp")
                present.insert(std::string(kind) + "/" + entry.path().stem().string());
    EXPECT_EQ(listed, present);

    ScratchFolder folder;
    std::vector<Picture> expected;
    ASSERT_TRUE(ReadWithImageMagick(files, folder.path, expected));
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_LE(LargestDifference(decoded[i], expected[i]), tolerance[i]) << names[i];
}

}  // namespace
