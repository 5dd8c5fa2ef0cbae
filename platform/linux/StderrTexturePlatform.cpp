#include "platform/linux/StderrTexturePlatform.h"

#include <cstdio>
#include <cstring>

#include "platform/linux/MappedFile.h"

std::unique_ptr<FileBytes> StderrTexturePlatform::OpenFile(const char* name)
{
    return MapWholeFile(name);
}

void StderrTexturePlatform::ShowError(const char* text)
{
    const std::size_t length = std::strlen(text);
    // The open message ends with its own line break.
    const bool ended = length > 0 && text[length - 1] == '\n';
    std::fprintf(stderr, "%s: %s%s", programName_, text, ended ? "" : "\n");
    std::fflush(stderr);
}

void InstallStderrTexturePlatform(const char* programName)
{
    static StderrTexturePlatform platform(programName);
    platform = StderrTexturePlatform(programName);
    SetTexturePlatform(&platform);
}
