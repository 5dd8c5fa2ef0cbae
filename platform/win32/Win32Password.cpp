#include "platform/win32/Win32Password.h"

namespace {

using VerifyScreenSavePwdProc = BOOL(WINAPI*)(HWND);
using PwdChangePasswordProc = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);

bool OnNtPlatform()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// GetProcAddress's FARPROC, as the function type the entry point has.
template <typename Proc>
Proc EntryPoint(HMODULE module, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool VerifySaverPassword(HWND saverWindow)
{
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the version query's structure size");
    if (OnNtPlatform())
        return true;
    const HMODULE library = LoadLibraryA("PASSWORD.CPL");
    if (!library)
        return true;
    const auto verify = EntryPoint<VerifyScreenSavePwdProc>(library, "VerifyScreenSavePwd");
    if (!verify) {
        FreeLibrary(library);
        return true;
    }
    const BOOL accepted = verify(saverWindow);
    FreeLibrary(library);
    return accepted != 0;
}

void RunSaverPasswordChange(HWND owner)
{
    const HMODULE library = LoadLibraryA("MPR.DLL");
    if (!library)
        return;
    const auto change = EntryPoint<PwdChangePasswordProc>(library, "PwdChangePasswordA");
    if (change)
        change("SCRSAVE", owner, 0, nullptr);
    FreeLibrary(library);
}
