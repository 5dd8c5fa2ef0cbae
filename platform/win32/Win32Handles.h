#pragma once
#include <windows.h>

#include <cstdint>

// Window handles travel through the portable code as 32-bit numbers (the
// command line's decimal handles) or as WindowHandle; Windows keeps only the
// low 32 bits of a window handle significant, even in 64-bit processes.
inline HWND WindowFromInt32(int32_t value)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(value));
}

inline int32_t Int32FromWindow(HWND window)
{
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
}
