#include "host/CommandLine.h"

#include <limits>

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipBlanksAndColons(const char* p)
{
    while (*p == ' ' || *p == ':')
        ++p;
    return p;
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

uint32_t DecimalPrefixToWindowId(const char* text)
{
    if (!text)
        return 0;
    const char* p = text;
    while (IsCSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Stop growing the magnitude once past 32 bits, so that arbitrarily long
    // digit runs cannot overflow.
    constexpr uint64_t kMax = std::numeric_limits<uint32_t>::max();
    uint64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= kMax)
            magnitude = magnitude * 10 + static_cast<uint64_t>(*p - '0');
    }
    if (magnitude > kMax)
        return static_cast<uint32_t>(kMax);
    const uint32_t value = static_cast<uint32_t>(magnitude);
    return negative ? 0u - value : value;
}

SaverCommandLine ParseSaverCommandLine(const char* line)
{
    SaverCommandLine result;
    const char* p = line ? line : "";

    // The program name: quoted up to the next quote, else up to the first blank.
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
    } else {
        while (*p && *p != ' ')
            ++p;
    }
    if (*p)
        ++p;
    while (*p == ' ')
        ++p;

    if (!*p) {
        result.mode = kRunModeConfigure;
        return result;
    }
    if (*p == '-' || *p == '/')
        ++p;

    switch (LowerAscii(*p)) {
    case 'p':
    case 'l':
        result.mode = kRunModePreview;
        result.numberAt = static_cast<size_t>(SkipBlanksAndColons(p + 1) - line);
        result.window = DecimalPrefixToWindowId(line + result.numberAt);
        break;
    case 's':
        result.mode = kRunModeSaver;
        break;
    case 'c': {
        result.mode = kRunModeConfigure;
        const char* rest = SkipBlanksAndColons(p + 1);
        result.numberAt = static_cast<size_t>(rest - line);
        if (!*rest)
            result.ownerIsForeground = true;
        else
            result.window = DecimalPrefixToWindowId(rest);
        break;
    }
    case 'a':
        result.mode = kRunModeChangePassword;
        result.numberAt = static_cast<size_t>(SkipBlanksAndColons(p + 1) - line);
        result.window = DecimalPrefixToWindowId(line + result.numberAt);
        break;
    default:
        break;
    }
    return result;
}
