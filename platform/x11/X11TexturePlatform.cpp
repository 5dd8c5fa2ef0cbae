#include "platform/x11/X11TexturePlatform.h"

#include "models/TextureLoader.h"
#include "platform/linux/MappedFile.h"
#include "platform/x11/X11ErrorBox.h"

namespace {

class X11TexturePlatform : public TexturePlatform {
public:
    std::unique_ptr<FileBytes> OpenFile(const char* name) override { return MapWholeFile(name); }
    void ShowError(const char* text) override { ShowErrorBox(display, text); }

    Display* display = nullptr;
};

}  // namespace

void InstallX11TexturePlatform(Display* display)
{
    static X11TexturePlatform platform;
    platform.display = display;
    SetTexturePlatform(&platform);
}
