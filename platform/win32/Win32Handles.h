#pragma once
#include <windows.h>

#include <cstdint>

// Window handles travel through the portable code as 32-bit window ids (the
// command line's decimal handles) or as WindowHandle. Windows keeps only the
// low 32 bits of a window handle significant, even in 64-bit processes, and a
// 64-bit process widens the 32 bits it is handed with their sign.
inline HWND WindowFromWindowId(uint32_t id)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(id)));
}

inline uint32_t WindowIdFromWindow(HWND window)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}
