#pragma once

#include "scene/Gl.h"

// Creates one texture object from an image file and stores its name in
// textures[index]. The platform's loader is installed at start-up; without
// one, materials that name a texture stay untextured (slot 0).
using TextureLoader = void (*)(GLuint* textures, const char* textureFile, int index);

void SetTextureLoader(TextureLoader loader);
TextureLoader CurrentTextureLoader();
