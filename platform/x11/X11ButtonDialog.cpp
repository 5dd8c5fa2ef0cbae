#include "platform/x11/X11ButtonDialog.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>

#include "platform/linux/StopSignal.h"
#include "platform/x11/X11Support.h"

namespace {

struct Rect {
    int x, y, width, height;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

class ButtonDialog {
public:
    ButtonDialog(Display* display, const std::vector<std::string>& lines, const std::vector<DialogButton>& buttons)
        : display_(display), lines_(lines), buttons_(buttons)
    {
        font_ = XLoadQueryFont(display_, "fixed");
        const int screen = DefaultScreen(display_);
        gc_ = XCreateGC(display_, RootWindow(display_, screen), 0, nullptr);
        if (font_)
            XSetFont(display_, gc_, font_->fid);
        else
            font_ = XQueryFont(display_, XGContextFromGC(gc_));
        ascent_ = font_ ? font_->ascent : 10;
        lineHeight_ = (font_ ? font_->ascent + font_->descent : 13) + 4;
    }

    ~ButtonDialog()
    {
        if (window_)
            XDestroyWindow(display_, window_);
        if (font_)
            XFreeFont(display_, font_);
        XFreeGC(display_, gc_);
        XFlush(display_);
    }

    void Create(Window owner, const std::string& title)
    {
        int textWidth = 0;
        for (const std::string& line : lines_)
            textWidth = std::max(textWidth, TextWidth(line));
        const int count = static_cast<int>(buttons_.size());
        const int rowWidth = count * kDialogButtonWidth + std::max(0, count - 1) * kDialogButtonGap;
        width_ = std::max({240, textWidth + 2 * kDialogMargin, rowWidth + 2 * kDialogMargin});
        height_ = kDialogMargin + static_cast<int>(lines_.size()) * lineHeight_ + kDialogMargin
            + kDialogButtonHeight + kDialogMargin;
        for (int k = 0; k < count; ++k) {
            const int fromRight = count - k;
            rects_.push_back({width_ - kDialogMargin - fromRight * kDialogButtonWidth
                                  - (fromRight - 1) * kDialogButtonGap,
                              height_ - kDialogMargin - kDialogButtonHeight, kDialogButtonWidth,
                              kDialogButtonHeight});
        }

        const int screen = DefaultScreen(display_);
        const int x = std::max(0, (DisplayWidth(display_, screen) - width_) / 2);
        const int y = std::max(0, (DisplayHeight(display_, screen) - height_) / 2);
        XSetWindowAttributes attributes{};
        attributes.background_pixel = 0xD4D0C8;
        attributes.border_pixel = BlackPixel(display_, screen);
        attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | KeyPressMask
            | StructureNotifyMask;
        window_ = XCreateWindow(display_, RootWindow(display_, screen), x, y, static_cast<unsigned>(width_),
                                static_cast<unsigned>(height_), 1, CopyFromParent, InputOutput, CopyFromParent,
                                CWBackPixel | CWBorderPixel | CWEventMask, &attributes);

        XStoreName(display_, window_, title.c_str());
        XSizeHints* hints = XAllocSizeHints();
        if (hints) {
            hints->flags = PPosition | PMinSize | PMaxSize;
            hints->x = x;
            hints->y = y;
            hints->min_width = hints->max_width = width_;
            hints->min_height = hints->max_height = height_;
            XSetWMNormalHints(display_, window_, hints);
            XFree(hints);
        }
        XWMHints* wmHints = XAllocWMHints();
        if (wmHints) {
            wmHints->flags = InputHint;
            wmHints->input = True;
            XSetWMHints(display_, window_, wmHints);
            XFree(wmHints);
        }
        XWindowAttributes ownerAttributes;
        if (owner != None && QueryWindow(display_, owner, ownerAttributes))
            XSetTransientForHint(display_, window_, owner);
        Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
        Atom dialog = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        XChangeProperty(display_, window_, type, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&dialog), 1);
        deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display_, window_, &deleteWindow_, 1);
        XMapRaised(display_, window_);
        XFlush(display_);
    }

    int Run(int defaultCode, int cancelCode)
    {
        for (;;) {
            if (StopRequested())
                return cancelCode;
            if (!WaitForDisplay(display_, 100))
                continue;
            XEvent event;
            XNextEvent(display_, &event);
            if (event.xany.window != window_)
                continue;
            switch (event.type) {
            case Expose:
                if (event.xexpose.count == 0)
                    Draw();
                break;
            case ButtonPress:
                if (event.xbutton.button == Button1) {
                    pressed_ = ButtonAt(event.xbutton.x, event.xbutton.y);
                    Draw();
                }
                break;
            case ButtonRelease:
                if (event.xbutton.button == Button1 && pressed_ >= 0) {
                    const int released = ButtonAt(event.xbutton.x, event.xbutton.y);
                    const int was = pressed_;
                    pressed_ = -1;
                    Draw();
                    if (released == was)
                        return buttons_[static_cast<size_t>(was)].code;
                }
                break;
            case KeyPress: {
                const KeySym key = XLookupKeysym(&event.xkey, 0);
                if (key == XK_Return || key == XK_KP_Enter)
                    return defaultCode;
                if (key == XK_Escape)
                    return cancelCode;
                break;
            }
            case ClientMessage:
                if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_)
                    return cancelCode;
                break;
            case DestroyNotify:
                window_ = None;
                return cancelCode;
            default:
                break;
            }
        }
    }

private:
    int TextWidth(const std::string& text) const
    {
        return font_ ? XTextWidth(font_, text.c_str(), static_cast<int>(text.size()))
                     : static_cast<int>(text.size()) * 6;
    }

    int ButtonAt(int x, int y) const
    {
        for (size_t k = 0; k < rects_.size(); ++k)
            if (rects_[k].Contains(x, y))
                return static_cast<int>(k);
        return -1;
    }

    void Draw()
    {
        const int screen = DefaultScreen(display_);
        XClearWindow(display_, window_);
        XSetForeground(display_, gc_, BlackPixel(display_, screen));
        int y = kDialogMargin + ascent_;
        for (const std::string& line : lines_) {
            XDrawString(display_, window_, gc_, kDialogMargin, y, line.c_str(), static_cast<int>(line.size()));
            y += lineHeight_;
        }
        for (size_t k = 0; k < rects_.size(); ++k) {
            const Rect& r = rects_[k];
            XSetForeground(display_, gc_, static_cast<int>(k) == pressed_ ? 0xA0A0A0 : 0xE8E8E8);
            XFillRectangle(display_, window_, gc_, r.x, r.y, static_cast<unsigned>(r.width),
                           static_cast<unsigned>(r.height));
            XSetForeground(display_, gc_, BlackPixel(display_, screen));
            XDrawRectangle(display_, window_, gc_, r.x, r.y, static_cast<unsigned>(r.width - 1),
                           static_cast<unsigned>(r.height - 1));
            const std::string& label = buttons_[k].label;
            const int labelX = r.x + (r.width - TextWidth(label)) / 2;
            const int labelY = r.y + (r.height + ascent_) / 2 - 1;
            XDrawString(display_, window_, gc_, labelX, labelY, label.c_str(), static_cast<int>(label.size()));
        }
        XFlush(display_);
    }

    Display* display_;
    std::vector<std::string> lines_;
    std::vector<DialogButton> buttons_;
    std::vector<Rect> rects_;
    XFontStruct* font_ = nullptr;
    GC gc_;
    Window window_ = None;
    Atom deleteWindow_ = None;
    int ascent_ = 10;
    int lineHeight_ = 17;
    int width_ = 0;
    int height_ = 0;
    int pressed_ = -1;
};

}  // namespace

int RunButtonDialog(Display* display, Window owner, const std::string& title, const std::vector<std::string>& lines,
                    const std::vector<DialogButton>& buttons, int defaultCode, int cancelCode)
{
    ButtonDialog dialog(display, lines, buttons);
    dialog.Create(owner, title);
    return dialog.Run(defaultCode, cancelCode);
}
