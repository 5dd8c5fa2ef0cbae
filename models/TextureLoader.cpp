#include "models/TextureLoader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "models/DibDecoder.h"

namespace {

TextureLoader installedLoader = LoadTexture;
TexturePlatform* installedPlatform = nullptr;

constexpr const char kOpenFailureFormat[] = "Failed to open DIB file %.*s.\n";
// The format's own characters once the name is in: "Failed to open DIB file .\n".
constexpr std::size_t kOpenFailureFrame = sizeof "Failed to open DIB file .\n" - 1;

void ShowError(const char* text)
{
    if (installedPlatform) {
        installedPlatform->ShowError(text);
        return;
    }
    std::fputs(text, stderr);
    if (text[0] == '\0' || text[std::strlen(text) - 1] != '\n')
        std::fputc('\n', stderr);
}

}  // namespace

DibError TexturePlatform::ConvertBitmap(const DibSource& source, RgbImage& image)
{
    return ConvertDib(source, image);
}

void SetTexturePlatform(TexturePlatform* platform)
{
    installedPlatform = platform;
}

void FormatOpenFailure(char (&buffer)[kOpenMessageSize], const char* fileName)
{
    const int room = static_cast<int>(kOpenMessageSize - 1 - kOpenFailureFrame);
    std::snprintf(buffer, sizeof buffer, kOpenFailureFormat, room, fileName);
}

std::unique_ptr<RgbImage> LoadRgbImage(const char* fileName)
{
    const std::unique_ptr<FileBytes> file = installedPlatform ? installedPlatform->OpenFile(fileName) : nullptr;
    if (!file) {
        char message[kOpenMessageSize];
        FormatOpenFailure(message, fileName);
        ShowError(message);
        return nullptr;
    }
    auto image = std::make_unique<RgbImage>();
    DibSource source;
    DibError error = ReadDibFile(file->data(), file->size(), source);
    if (error == DibError::NoError)
        error = installedPlatform->ConvertBitmap(source, *image);
    if (error != DibError::NoError) {
        ShowError(DibErrorText(error));
        return nullptr;
    }
    return image;
}

void LoadTexture(GLuint* textures, const char* textureFile, int index)
{
    if (!textureFile)
        return;
    const std::unique_ptr<RgbImage> image = LoadRgbImage(textureFile);
    if (!image)
        std::exit(kTextureFailureExitCode);

    glGenTextures(1, &textures[index]);
    // The picture's rows are not padded; the setting stays for later uploads.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, textures[index]);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE, image->data.get());
    // The mipmaps are made, but sampling uses the base level.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void SetTextureLoader(TextureLoader loader)
{
    installedLoader = loader ? loader : LoadTexture;
}

TextureLoader CurrentTextureLoader()
{
    return installedLoader;
}
