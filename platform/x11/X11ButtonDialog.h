#pragma once
#include <X11/Xlib.h>

#include <string>
#include <vector>

struct DialogButton {
    std::string label;
    int code;
};

// Layout, shared with the tests that click the buttons: buttons of this size
// sit in a row at the bottom right, `kDialogMargin` from the edges and
// `kDialogButtonGap` apart.
inline constexpr int kDialogButtonWidth = 80;
inline constexpr int kDialogButtonHeight = 26;
inline constexpr int kDialogMargin = 12;
inline constexpr int kDialogButtonGap = 8;

// A small modal dialog: a title, lines of text and a row of buttons. Returns
// the code of the button pressed; Return and Enter choose `defaultCode`,
// Escape, the window manager's close and a stop signal `cancelCode`.
int RunButtonDialog(Display* display, Window owner, const std::string& title, const std::vector<std::string>& lines,
                    const std::vector<DialogButton>& buttons, int defaultCode, int cancelCode);
