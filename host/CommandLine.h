#pragma once
#include <cstddef>
#include <cstdint>

#include "host/RunMode.h"

// The saver command line: a program name, then one switch such as /s, -S,
// /p 1234, /p:1234, /l1234, /c, /c:56 or /a 78.
struct SaverCommandLine {
    RunMode mode = kRunModeNone;
    int32_t window = 0;            // parent or owner window, decimal
    bool ownerIsForeground = false;  // /c with no number: the foreground window owns the dialog
    // Where the switch's number text starts in the line, after its blanks and
    // colons (p, l, c and a only; 0 otherwise), for hosts that check it.
    size_t numberAt = 0;
};

// Parses a whole command line (program name included). Bytes only; the blank
// is the one separator. Never fails: unknown switches give kRunModeNone.
SaverCommandLine ParseSaverCommandLine(const char* line);

// The C library's atoi on `text`: leading white space, an optional sign, then
// decimal digits (0 when there are none). A value beyond 32 bits saturates at
// INT32_MIN or INT32_MAX instead of being undefined.
int32_t DecimalPrefixToInt32(const char* text);
