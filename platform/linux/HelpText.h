#pragma once
#include <string>

// What `quillmoor --help` prints: every command line of the Linux program.
const char* HelpText();

// The usage lines alone, for a command line that was not understood.
const char* UsageText();

// What `quillmoor --version` prints: "quillmoor X.Y.Z".
std::string VersionText();
