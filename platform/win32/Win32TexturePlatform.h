#pragma once
#include <windows.h>

#include <memory>

#include "models/TextureLoader.h"

// Texture files on Windows: the file read through a read-only mapping, the
// bitmap converted by GDI (SetDIBits into a 24-bit section), failures in a
// box titled "Error" owned by the window that has the keyboard focus.
class Win32TexturePlatform : public TexturePlatform {
public:
    std::unique_ptr<FileBytes> OpenFile(const char* name) override;
    void ShowError(const char* text) override;
    DibError ConvertBitmap(const DibSource& source, RgbImage& image) override;
};

// Installs one for the rest of the program's run.
void InstallWin32TexturePlatform();
