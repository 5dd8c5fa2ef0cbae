// libFuzzer target: the saver command line and its window ids, and the Linux
// launch options over the same bytes cut into words at line breaks (a first
// byte of 1 makes the first word XSCREENSAVER_WINDOW).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/CommandLine.h"
#include "platform/linux/LaunchOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    const SaverCommandLine parsed = ParseSaverCommandLine(line.c_str());
    if (parsed.mode < kRunModeNone || parsed.mode > kRunModeSaver || parsed.numberAt > std::strlen(line.c_str()))
        std::abort();
    DecimalPrefixToWindowId(line.c_str());

    std::vector<std::string> words{"quillmoor"};
    size_t start = size > 0 && data[0] == 1 ? 1 : 0;
    while (start <= line.size()) {
        const size_t end = std::min(line.find('\n', start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    std::string daemonWindowText;
    const char* daemonWindow = nullptr;
    if (size > 0 && data[0] == 1) {
        daemonWindowText = words[1];
        daemonWindow = daemonWindowText.c_str();
        words.erase(words.begin() + 1);
    }
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    const LaunchOptions options = ParseLaunchArguments(static_cast<int>(argv.size()), argv.data(), daemonWindow);
    if (options.kind == LaunchOptions::Kind::Invalid && options.error.empty())
        std::abort();
    if (options.kind == LaunchOptions::Kind::IntoWindow && (options.windowId == 0 || options.windowId > kLargestWindowId))
        std::abort();
    return 0;
}
