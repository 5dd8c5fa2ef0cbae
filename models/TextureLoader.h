#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "models/DibFile.h"
#include "models/RgbImage.h"
#include "scene/Gl.h"

// The bytes of a whole file, read-only, for as long as the object lives.
class FileBytes {
public:
    virtual ~FileBytes() = default;
    virtual const std::uint8_t* data() const = 0;
    virtual std::size_t size() const = 0;
};

// What loading textures needs of the platform.
class TexturePlatform {
public:
    virtual ~TexturePlatform() = default;
    // The whole file; null when it cannot be opened, mapped or read.
    virtual std::unique_ptr<FileBytes> OpenFile(const char* name) = 0;
    // Tells the user why a texture could not be loaded: a box titled "Error"
    // where there is a display.
    virtual void ShowError(const char* text) = 0;
    // Converts a checked bitmap to RGB: the system's conversion where there
    // is one, ConvertDib otherwise.
    virtual DibError ConvertBitmap(const DibSource& source, RgbImage& image);
};

// Installs the platform (not owned). Without one no file can be opened and
// messages go to the standard error stream.
void SetTexturePlatform(TexturePlatform* platform);

// "Failed to open DIB file %s.\n" is formatted into a buffer of this size.
// It holds the longest name a material carries (255 characters) whole; a
// longer name is cut so that the sentence still ends with ".\n".
inline constexpr std::size_t kOpenMessageSize = 300;
void FormatOpenFailure(char (&buffer)[kOpenMessageSize], const char* fileName);

// The exit code of a program that ends because a texture failed to load.
inline constexpr int kTextureFailureExitCode = 1;

// Reads a bitmap file into a new picture; after telling the user why, null.
std::unique_ptr<RgbImage> LoadRgbImage(const char* fileName);

// Creates one mipmapped texture from a bitmap file and stores its name in
// textures[index]. A null name does nothing. A file that cannot be loaded
// ends the program with kTextureFailureExitCode, after its message.
void LoadTexture(GLuint* textures, const char* textureFile, int index);

// The loader models use: LoadTexture unless tests install another.
using TextureLoader = void (*)(GLuint* textures, const char* textureFile, int index);
// Null restores LoadTexture.
void SetTextureLoader(TextureLoader loader);
TextureLoader CurrentTextureLoader();
