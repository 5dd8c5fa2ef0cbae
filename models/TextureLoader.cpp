#include "models/TextureLoader.h"

namespace {
TextureLoader installedLoader = nullptr;
}

void SetTextureLoader(TextureLoader loader)
{
    installedLoader = loader;
}

TextureLoader CurrentTextureLoader()
{
    return installedLoader;
}
