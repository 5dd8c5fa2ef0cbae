#pragma once
#include <string>

// What `quillmoor --help` prints: every command line of the Linux program.
const char* HelpText();

// What `quillmoor --version` prints: "quillmoor X.Y.Z".
std::string VersionText();
