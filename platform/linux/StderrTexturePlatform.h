#pragma once

#include <memory>

#include "models/TextureLoader.h"

// Texture files for programs without a display: files are mapped
// read-only, failures written to the standard error stream as
// "PROGRAM: message".
class StderrTexturePlatform : public TexturePlatform {
public:
    explicit StderrTexturePlatform(const char* programName) : programName_(programName) {}
    std::unique_ptr<FileBytes> OpenFile(const char* name) override;
    void ShowError(const char* text) override;

private:
    const char* programName_;
};

// Installs one for the rest of the program's run.
void InstallStderrTexturePlatform(const char* programName);
