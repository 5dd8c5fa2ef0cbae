// libFuzzer target: the saver command line and its atoi.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    const SaverCommandLine parsed = ParseSaverCommandLine(line.c_str());
    if (parsed.mode < kRunModeNone || parsed.mode > kRunModeSaver)
        std::abort();
    DecimalPrefixToInt32(line.c_str());
    return 0;
}
