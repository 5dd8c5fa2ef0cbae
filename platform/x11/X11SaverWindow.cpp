#include "platform/x11/X11SaverWindow.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <cstdio>
#include <ctime>
#include <deque>
#include <memory>

#include "host/MainLoop.h"
#include "host/SaverPlatform.h"
#include "host/SaverWindowProc.h"
#include "host/SetupErrors.h"
#include "platform/linux/FrameReport.h"
#include "platform/linux/MonotonicClock.h"
#include "platform/linux/StopSignal.h"
#include "platform/x11/X11DisplayDpi.h"
#include "platform/x11/X11ErrorBox.h"
#include "platform/x11/X11Support.h"
#include "scene/DisplayScale.h"
#include "scene/Gl.h"
#include "scene/Scene.h"

namespace {

bool VisualFitsGl(Display* display, XVisualInfo* visual)
{
    int useGl = 0, rgba = 0, doubleBuffer = 0;
    return glXGetConfig(display, visual, GLX_USE_GL, &useGl) == 0 && useGl
        && glXGetConfig(display, visual, GLX_RGBA, &rgba) == 0 && rgba
        && glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffer) == 0 && doubleBuffer;
}

class X11SaverWindow : public SaverPlatform, public MainLoopPlatform {
public:
    X11SaverWindow(Display* display, const X11SaverTarget& target, RunMode mode, SaverSettings& settings)
        : display_(display), target_(target), context_{settings, mode, *this}
    {
        screen_ = DefaultScreen(display_);
        root_ = RootWindow(display_, screen_);
    }

    ~X11SaverWindow() override { TearDown(); }

    int Run()
    {
        int glxError = 0, glxEvent = 0;
        if (!glXQueryExtension(display_, &glxError, &glxEvent)) {
            ReportSetupError(kChoosePixelFormatFailed);
            return 1;
        }
        XWindowAttributes targetAttributes{};
        if (target_.kind == X11SaverTarget::Kind::ChildOf || target_.kind == X11SaverTarget::Kind::Into) {
            if (!QueryWindow(display_, target_.window, targetAttributes)) {
                std::fprintf(stderr, "quillmoor: there is no window %lu (0x%lx) to draw in\n",
                             static_cast<unsigned long>(target_.window), static_cast<unsigned long>(target_.window));
                return 1;
            }
            if (targetAttributes.c_class == InputOnly) {
                std::fprintf(stderr, "quillmoor: window %lu (0x%lx) is input-only: nothing can be drawn in it\n",
                             static_cast<unsigned long>(target_.window), static_cast<unsigned long>(target_.window));
                return 1;
            }
        }
        if (!ChooseVisual(targetAttributes)) {
            ReportSetupError(kChoosePixelFormatFailed);
            return 1;
        }
        if (!CreateWindow(targetAttributes)) {
            std::fprintf(stderr, "quillmoor: cannot create the saver window\n");
            return 1;
        }
        if (!CreateContext()) {
            ReportSetupError(kSetPixelFormatFailed);
            return 1;
        }

        // The frame-rate text and the mouse threshold follow the density
        // the desktop set, if it set one.
        SetDisplayDpi(XftDpi(display_));
        tooLarge_ = !FitsDrawableLimit(width_, height_);
        if (!CreateSurface()) {
            std::fprintf(stderr, "quillmoor: cannot create the saver window\n");
            return 1;
        }
        if (tooLarge_) {
            ReportTooLarge();
        } else if (!DrawIntoWindow()) {
            ReportSetupError(kSetPixelFormatFailed);
            return 1;
        }
        scene_ = std::make_unique<Scene>(tooLarge_ ? 1 : width_, tooLarge_ ? 1 : height_,
                                         context_.settings.sceneParameter);
        Show();
        RunMainLoop(*this);
        return 0;
    }

    // SaverPlatform
    WindowHandle Window() override { return static_cast<WindowHandle>(window_); }
    CursorPoint CursorPosition() override
    {
        ::Window rootReturn, child;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned mask = 0;
        CursorPoint point;
        if (XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask)) {
            point.x = rootX;
            point.y = rootY;
        }
        return point;
    }
    uint32_t TickCount() override { return MonotonicMilliseconds(); }
    void PostCloseMessage() override { posted_.push_back({SaverEvent::Close, 0}); }
    void DestroyWindow() override
    {
        if (windowGone_)
            return;
        windowGone_ = true;
        if (ownsWindow_) {
            ReleaseInput();
            XDestroyWindow(display_, window_);
            XFlush(display_);
        }
        // X delivers its DestroyNotify later, if at all (not for a window we
        // were lent): the procedure hears of it now, as on Windows.
        SaverWindowProc(context_, {SaverEvent::Destroy, 0});
    }
    void PostQuitMessage() override { quitPosted_ = true; }
    void SetCursorVisible(bool visible) override
    {
        if (!ownsWindow_ || windowGone_)
            return;
        XDefineCursor(display_, window_, visible ? ArrowCursor() : BlankCursor());
    }
    void KillTimer(int32_t) override {}
    // No system password check on Linux: the locking belongs to the daemon.
    bool VerifyPassword() override { return true; }

    // MainLoopPlatform
    Pump DispatchNextMessage() override
    {
        if (StopRequested() || quitPosted_)
            return Pump::Quit;
        if (!posted_.empty()) {
            const SaverMessage message = posted_.front();
            posted_.pop_front();
            if (!windowGone_)
                DispatchSaverMessage(context_, message);
            return Pump::Dispatched;
        }
        if (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            Translate(event);
            return Pump::Dispatched;
        }
        return Pump::Empty;
    }
    bool RenderFrame() override
    {
        if (!scene_ || windowGone_)
            return false;
        ReadWindowSize();
        FollowSize();
        if (tooLarge_)
            return false;
        return scene_->RenderFrame(context_.settings.sceneParameter);
    }
    void SwapBuffers() override
    {
        if (windowGone_)
            return;
        glXSwapBuffers(display_, surface_);
        frameReport_.FrameDone();
    }
    void Sleep(unsigned milliseconds) override { SleepMilliseconds(milliseconds); }

private:
    // Where a daemon or a preview host started the program nobody can answer a
    // box: the message goes to stderr alone and the run ends at once.
    void ReportSetupError(const char* text)
    {
        const bool someoneWatches =
            target_.kind == X11SaverTarget::Kind::FullScreen || target_.kind == X11SaverTarget::Kind::Ordinary;
        ShowErrorBox(someoneWatches ? display_ : nullptr, text);
    }

    // The largest drawable the GL implementation renders; beyond it Mesa's
    // rasteriser writes out of bounds.
    void ReadDrawableLimit()
    {
        GLint dims[2] = {0, 0};
        glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
        maxWidth_ = dims[0] > 0 ? dims[0] : kFallbackDrawableSide;
        maxHeight_ = dims[1] > 0 ? dims[1] : kFallbackDrawableSide;
    }

    bool FitsDrawableLimit(int width, int height) const { return width <= maxWidth_ && height <= maxHeight_; }

    void ReportTooLarge()
    {
        if (tooLargeReported_)
            return;
        tooLargeReported_ = true;
        std::fprintf(stderr,
                     "quillmoor: the window is %dx%d, larger than OpenGL can draw (%dx%d): "
                     "drawing stops until it is smaller\n",
                     width_, height_, maxWidth_, maxHeight_);
        std::fflush(stderr);
    }

    bool ChooseVisual(const XWindowAttributes& targetAttributes)
    {
        if (target_.kind == X11SaverTarget::Kind::Into) {
            // Drawing into another client's window: its visual or nothing.
            XVisualInfo templ{};
            templ.visualid = XVisualIDFromVisual(targetAttributes.visual);
            int count = 0;
            visual_ = XGetVisualInfo(display_, VisualIDMask, &templ, &count);
            if (visual_ && !VisualFitsGl(display_, visual_)) {
                XFree(visual_);
                visual_ = nullptr;
            }
            return visual_ != nullptr;
        }
        int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1, GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1,
                            GLX_DEPTH_SIZE, 1, None};
        visual_ = glXChooseVisual(display_, screen_, attributes);
        return visual_ != nullptr;
    }

    bool CreateWindow(const XWindowAttributes& targetAttributes)
    {
        if (target_.kind == X11SaverTarget::Kind::Into) {
            window_ = target_.window;
            ownsWindow_ = false;
            width_ = targetAttributes.width;
            height_ = targetAttributes.height;
            // Only structure events: the daemon owns this window's input.
            XSelectInput(display_, window_, StructureNotifyMask);
            if (SyncAndTakeError(display_) != Success)
                return false;
            DispatchSaverMessage(context_, {SaverEvent::Create, 0});
            return true;
        }

        ::Window parent = root_;
        int x = 0, y = 0;
        long eventMask = StructureNotifyMask | ExposureMask | KeyPressMask | ButtonPressMask | PointerMotionMask
            | FocusChangeMask | EnterWindowMask;
        XSetWindowAttributes attributes{};
        unsigned long valueMask = CWColormap | CWBorderPixel | CWBackPixel | CWEventMask;
        switch (target_.kind) {
        case X11SaverTarget::Kind::FullScreen:
            width_ = DisplayWidth(display_, screen_);
            height_ = DisplayHeight(display_, screen_);
            attributes.override_redirect = True;
            valueMask |= CWOverrideRedirect;
            break;
        case X11SaverTarget::Kind::ChildOf:
            parent = target_.window;
            width_ = targetAttributes.width;
            height_ = targetAttributes.height;
            // Input in a preview is the caller's business.
            eventMask = StructureNotifyMask | ExposureMask;
            XSelectInput(display_, parent, StructureNotifyMask);
            break;
        case X11SaverTarget::Kind::Ordinary:
        case X11SaverTarget::Kind::Into:
            width_ = 640;
            height_ = 480;
            break;
        }
        colormap_ = XCreateColormap(display_, root_, visual_->visual, AllocNone);
        attributes.colormap = colormap_;
        attributes.border_pixel = 0;
        attributes.background_pixel = 0;
        attributes.event_mask = eventMask;
        window_ = XCreateWindow(display_, parent, x, y, static_cast<unsigned>(width_ > 0 ? width_ : 1),
                                static_cast<unsigned>(height_ > 0 ? height_ : 1), 0, visual_->depth, InputOutput,
                                visual_->visual, valueMask, &attributes);
        if (SyncAndTakeError(display_) != Success || window_ == None) {
            window_ = None;
            return false;
        }
        ownsWindow_ = true;

        XStoreName(display_, window_, target_.kind == X11SaverTarget::Kind::Ordinary ? "Quillmoor" : "SaverWindow");
        XClassHint* classHint = XAllocClassHint();
        if (classHint) {
            char name[] = "quillmoor";
            char className[] = "Quillmoor";
            classHint->res_name = name;
            classHint->res_class = className;
            XSetClassHint(display_, window_, classHint);
            XFree(classHint);
        }
        deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display_, window_, &deleteWindow_, 1);
        DispatchSaverMessage(context_, {SaverEvent::Create, 0});
        return true;
    }

    // The context starts current on a hidden 1x1 window of the same visual:
    // the drawable limit can only be read with a context current. It goes
    // back there while the window is too large to draw.
    bool CreateContext()
    {
        glContext_ = glXCreateContext(display_, visual_, nullptr, True);
        if (!glContext_)
            glContext_ = glXCreateContext(display_, visual_, nullptr, False);
        if (!glContext_)
            return false;
        if (colormap_ == None)
            colormap_ = XCreateColormap(display_, root_, visual_->visual, AllocNone);
        XSetWindowAttributes attributes{};
        attributes.colormap = colormap_;
        parking_ = XCreateWindow(display_, root_, 0, 0, 1, 1, 0, visual_->depth, InputOutput, visual_->visual,
                                 CWColormap | CWBorderPixel, &attributes);
        if (SyncAndTakeError(display_) != Success || parking_ == None) {
            parking_ = None;
            return false;
        }
        if (glXMakeCurrent(display_, parking_, glContext_) != True)
            return false;
        ReadDrawableLimit();
        return true;
    }

    // GL draws into a child of the window that only this program resizes, and
    // only between frames: other clients may resize the outer window at any
    // moment, even beyond what the rasteriser can draw, and GL never sees it.
    // The child selects no input, so keys and the pointer reach the outer
    // window as before. The root window cannot be resized: GL draws into it.
    bool CreateSurface()
    {
        if (target_.kind == X11SaverTarget::Kind::Into && window_ == root_) {
            surface_ = window_;
            return true;
        }
        XSetWindowAttributes attributes{};
        attributes.colormap = colormap_;
        attributes.border_pixel = 0;
        attributes.background_pixmap = None;  // no clearing to black between frames
        attributes.event_mask = NoEventMask;
        // A host that redirects its children's mapping and sizing must not
        // get to decide this one's.
        attributes.override_redirect = True;
        surfaceWidth_ = tooLarge_ ? 1 : (width_ > 0 ? width_ : 1);
        surfaceHeight_ = tooLarge_ ? 1 : (height_ > 0 ? height_ : 1);
        surface_ = XCreateWindow(display_, window_, 0, 0, static_cast<unsigned>(surfaceWidth_),
                                 static_cast<unsigned>(surfaceHeight_), 0, visual_->depth, InputOutput,
                                 visual_->visual, CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask | CWOverrideRedirect,
                                 &attributes);
        if (SyncAndTakeError(display_) != Success || surface_ == None) {
            surface_ = None;
            return false;
        }
        XMapWindow(display_, surface_);
        ownsSurface_ = true;
        return true;
    }

    // Only ever called between frames, with a size that fits the GL limit.
    void ResizeSurface(int width, int height)
    {
        if (!ownsSurface_ || (width == surfaceWidth_ && height == surfaceHeight_))
            return;
        XResizeWindow(display_, surface_, static_cast<unsigned>(width), static_cast<unsigned>(height));
        surfaceWidth_ = width;
        surfaceHeight_ = height;
    }

    bool DrawIntoWindow() { return glXMakeCurrent(display_, surface_, glContext_) == True; }

    void Show()
    {
        if (ownsWindow_) {
            XMapRaised(display_, window_);
            if (target_.kind == X11SaverTarget::Kind::FullScreen)
                TakeInput();
        }
        DispatchSaverMessage(context_, {SaverEvent::SetCursor, 0});
        XFlush(display_);
    }

    // The full-screen saver takes the keyboard and the pointer, as the only
    // window that may see input while it runs.
    void TakeInput()
    {
        XEvent event;
        for (int tries = 0; tries < 200; ++tries) {  // at most about 2 s
            if (XCheckTypedWindowEvent(display_, window_, MapNotify, &event))
                break;
            Sleep(10);
        }
        XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
        XGrabKeyboard(display_, window_, True, GrabModeAsync, GrabModeAsync, CurrentTime);
        XGrabPointer(display_, window_, True, ButtonPressMask | PointerMotionMask, GrabModeAsync, GrabModeAsync,
                     window_, None, CurrentTime);
        inputTaken_ = true;
        SyncAndTakeError(display_);
    }

    void ReleaseInput()
    {
        if (!inputTaken_)
            return;
        XUngrabPointer(display_, CurrentTime);
        XUngrabKeyboard(display_, CurrentTime);
        inputTaken_ = false;
    }

    void Translate(const XEvent& event)
    {
        const ::Window about = event.xany.window;
        switch (event.type) {
        case KeyPress:
            if (about == window_)
                DispatchSaverMessage(context_, TranslateKey(event.xkey));
            break;
        case ButtonPress:
            if (about != window_)
                break;
            if (event.xbutton.button == Button1)
                DispatchSaverMessage(context_, {SaverEvent::LeftButtonDown, 0});
            else if (event.xbutton.button == Button2)
                DispatchSaverMessage(context_, {SaverEvent::MiddleButtonDown, 0});
            else if (event.xbutton.button == Button3)
                DispatchSaverMessage(context_, {SaverEvent::RightButtonDown, 0});
            break;  // the wheel's buttons 4 and 5 are not presses
        case MotionNotify:
            if (about == window_)
                DispatchSaverMessage(context_, {SaverEvent::MouseMove, 0});
            break;
        case EnterNotify:
            if (about == window_)
                DispatchSaverMessage(context_, {SaverEvent::SetCursor, 0});
            break;
        case FocusOut:
            // Grabs move the focus too; only a real change loses activation.
            if (about == window_ && (event.xfocus.mode == NotifyNormal || event.xfocus.mode == NotifyWhileGrabbed)
                && event.xfocus.detail != NotifyInferior && event.xfocus.detail != NotifyPointer)
                DispatchSaverMessage(context_, {SaverEvent::Activate, 0});
            break;
        case FocusIn:
            if (about == window_)
                DispatchSaverMessage(context_, {SaverEvent::Activate, 1});
            break;
        case UnmapNotify:
            if (event.xunmap.window == window_ && ownsWindow_ && !windowGone_)
                DispatchSaverMessage(context_, {SaverEvent::Activate, 0});
            break;
        case ClientMessage:
            if (about == window_ && event.xclient.message_type == XInternAtom(display_, "WM_PROTOCOLS", True)
                && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_)
                DispatchSaverMessage(context_, {SaverEvent::Close, 0});
            break;
        case ConfigureNotify:
            if (event.xconfigure.window == target_.window && target_.kind == X11SaverTarget::Kind::ChildOf
                && !windowGone_)
                XResizeWindow(display_, window_, static_cast<unsigned>(event.xconfigure.width),
                              static_cast<unsigned>(event.xconfigure.height));
            if (event.xconfigure.window == window_) {
                pendingWidth_ = event.xconfigure.width;
                pendingHeight_ = event.xconfigure.height;
            }
            break;
        case DestroyNotify:
            // Our window, or the window it lives in, is gone: end at once.
            if (event.xdestroywindow.window == window_
                || (event.xdestroywindow.window == target_.window && target_.window != None)) {
                if (!windowGone_) {
                    windowGone_ = true;
                    SaverWindowProc(context_, {SaverEvent::Destroy, 0});
                }
            }
            break;
        default:
            break;
        }
    }

    SaverMessage TranslateKey(XKeyEvent key)
    {
        const KeySym symbol = XLookupKeysym(&key, 0);
        const bool alt = (key.state & Mod1Mask) != 0;
        if (alt && symbol == XK_F4)
            return {SaverEvent::SysCommand, kScClose};
        if (alt || symbol == XK_Alt_L || symbol == XK_Alt_R || symbol == XK_Meta_L || symbol == XK_Meta_R
            || symbol == XK_F10)
            return {SaverEvent::SysKeyDown, 0};
        return {SaverEvent::KeyDown, 0};
    }

    // The outer window's size the server has now: another client may have
    // resized it since the last ConfigureNotify was read.
    void ReadWindowSize()
    {
        ::Window rootReturn;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        if (XGetGeometry(display_, window_, &rootReturn, &x, &y, &width, &height, &border, &depth)) {
            pendingWidth_ = static_cast<int>(width);
            pendingHeight_ = static_cast<int>(height);
        }
    }

    // A resized window gets a viewport and projection for its new size; one
    // too large to draw gets no GL call at all until it is smaller again.
    void FollowSize()
    {
        if (pendingWidth_ <= 0 || pendingHeight_ <= 0)
            return;
        const bool changed = pendingWidth_ != width_ || pendingHeight_ != height_;
        width_ = pendingWidth_;
        height_ = pendingHeight_;
        pendingWidth_ = pendingHeight_ = 0;
        const bool wasTooLarge = tooLarge_;
        tooLarge_ = !FitsDrawableLimit(width_, height_);
        if (!tooLarge_)
            ResizeSurface(width_, height_);
        if (tooLarge_ && !wasTooLarge) {
            ReportTooLarge();
            glXMakeCurrent(display_, parking_, glContext_);
        } else if (!tooLarge_ && wasTooLarge && !DrawIntoWindow()) {
            std::fprintf(stderr, "quillmoor: cannot draw into the window again\n");
        }
        if (!tooLarge_ && (changed || wasTooLarge))
            scene_->Resize(width_, height_);
    }

    Cursor ArrowCursor()
    {
        if (arrow_ == None)
            arrow_ = XCreateFontCursor(display_, XC_left_ptr);
        return arrow_;
    }

    Cursor BlankCursor()
    {
        if (blank_ == None) {
            static const char kNoBits[1] = {0};
            Pixmap empty = XCreateBitmapFromData(display_, window_, kNoBits, 1, 1);
            XColor black{};
            blank_ = XCreatePixmapCursor(display_, empty, empty, &black, &black, 0, 0);
            XFreePixmap(display_, empty);
        }
        return blank_;
    }

    void TearDown()
    {
        if (scene_) {
            scene_.reset();
        }
        if (glContext_) {
            glXMakeCurrent(display_, None, nullptr);
            glXDestroyContext(display_, glContext_);
            glContext_ = nullptr;
        }
        ReleaseInput();
        if (parking_ != None)
            XDestroyWindow(display_, parking_);
        parking_ = None;
        // Our child of a window we were lent; our own window takes its child along.
        if (ownsSurface_ && !ownsWindow_ && !windowGone_)
            XDestroyWindow(display_, surface_);
        surface_ = None;
        ownsSurface_ = false;
        if (ownsWindow_ && !windowGone_) {
            XDestroyWindow(display_, window_);
            windowGone_ = true;
        }
        if (arrow_ != None)
            XFreeCursor(display_, arrow_);
        if (blank_ != None)
            XFreeCursor(display_, blank_);
        arrow_ = blank_ = None;
        if (colormap_ != None)
            XFreeColormap(display_, colormap_);
        colormap_ = None;
        if (visual_)
            XFree(visual_);
        visual_ = nullptr;
        SyncAndTakeError(display_);
    }

    Display* display_;
    X11SaverTarget target_;
    SaverWindowContext context_;
    int screen_ = 0;
    ::Window root_ = None;
    ::Window window_ = None;
    bool ownsWindow_ = false;
    bool windowGone_ = false;
    bool inputTaken_ = false;
    bool quitPosted_ = false;
    XVisualInfo* visual_ = nullptr;
    Colormap colormap_ = None;
    ::Window surface_ = None;  // the child GL draws into, sized by this program alone
    bool ownsSurface_ = false;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    ::Window parking_ = None;  // where the context is current while the window is too large
    GLXContext glContext_ = nullptr;
    Cursor arrow_ = None;
    Cursor blank_ = None;
    Atom deleteWindow_ = None;
    int width_ = 0;
    int height_ = 0;
    int pendingWidth_ = 0;
    int pendingHeight_ = 0;
    static constexpr int kFallbackDrawableSide = 4096;
    int maxWidth_ = kFallbackDrawableSide;
    int maxHeight_ = kFallbackDrawableSide;
    bool tooLarge_ = false;
    bool tooLargeReported_ = false;
    std::deque<SaverMessage> posted_;
    std::unique_ptr<Scene> scene_;
    FrameReport frameReport_;
};

}  // namespace

int RunX11SaverWindow(Display* display, const X11SaverTarget& target, RunMode mode, SaverSettings& settings)
{
    X11SaverWindow window(display, target, mode, settings);
    return window.Run();
}
