#pragma once

// The messages a failed window-system set-up shows, in a box titled "Error".
inline constexpr const char* kErrorTitle = "Error";
inline constexpr const char* kRegisterClassFailed = "RegisterClass() failed:  Cannot register window class.";
inline constexpr const char* kChoosePixelFormatFailed =
    "ChoosePixelFormat() failed:  Cannot find a suitable pixel format.";
inline constexpr const char* kSetPixelFormatFailed = "SetPixelFormat() failed:  Cannot set format specified.";
