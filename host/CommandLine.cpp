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

int32_t DecimalPrefixToInt32(const char* text)
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
    // Accumulate the magnitude and stop growing it once past the 32-bit range,
    // so arbitrarily long digit runs cannot overflow.
    constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= kLimit)
            magnitude = magnitude * 10 + (*p - '0');
    }
    if (negative)
        return magnitude >= kLimit ? std::numeric_limits<int32_t>::min() : static_cast<int32_t>(-magnitude);
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(magnitude);
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
        result.window = DecimalPrefixToInt32(line + result.numberAt);
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
            result.window = DecimalPrefixToInt32(rest);
        break;
    }
    case 'a':
        result.mode = kRunModeChangePassword;
        result.numberAt = static_cast<size_t>(SkipBlanksAndColons(p + 1) - line);
        result.window = DecimalPrefixToInt32(line + result.numberAt);
        break;
    default:
        break;
    }
    return result;
}
