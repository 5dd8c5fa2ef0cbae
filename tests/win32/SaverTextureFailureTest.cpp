// The whole saver, as /s, with a model whose material names a missing
// bitmap. Disabled: it ends the process, after a box someone must answer;
// tests/wine/check_texture_error.sh runs it alone and clicks OK.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "models/data/EmbeddedModels.h"
#include "platform/win32/RegistrySettingsStore.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32TexturePlatform.h"

TEST(SaverTextureFailure, DISABLED_AMissingBitmapShowsItsBoxAndEndsTheSaver)
{
    std::strcpy(modelA.materials[0].textureFile, "missing-texture.bmp");
    InstallWin32TexturePlatform();
    RegistrySettingsStore store;
    Win32Host host(GetModuleHandleA(nullptr), store);
    RunSaverProgram("quillmoor.scr /s", SW_SHOW, host, store);
    ADD_FAILURE() << "the saver ran on without its texture";
}
