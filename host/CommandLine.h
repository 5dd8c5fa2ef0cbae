#pragma once
#include <cstddef>
#include <cstdint>

#include "host/RunMode.h"

// The saver command line: a program name, then one switch such as /s, -S,
// /p 1234, /p:1234, /l1234, /c, /c:56 or /a 78.
struct SaverCommandLine {
    RunMode mode = kRunModeNone;
    uint32_t window = 0;           // parent or owner window, decimal
    bool ownerIsForeground = false;  // /c with no number: the foreground window owns the dialog
    // Where the switch's number text starts in the line, after its blanks and
    // colons (p, l, c and a only; 0 otherwise), for hosts that check it.
    size_t numberAt = 0;
};

// Parses a whole command line (program name included). Bytes only; the blank
// is the one separator. Never fails: unknown switches give kRunModeNone.
SaverCommandLine ParseSaverCommandLine(const char* line);

// A window id as the C library's strtoul reads it where long has 32 bits:
// leading white space, an optional sign, then decimal digits (0 when there
// are none). A minus negates modulo 2^32, so "-5" gives the same 32 bits as
// atoi would; a magnitude beyond 32 bits saturates at UINT32_MAX. Windows
// hands window handles between 32-bit and 64-bit programs as these 32 bits.
uint32_t DecimalPrefixToWindowId(const char* text);
