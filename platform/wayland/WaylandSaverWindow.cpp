#include "platform/wayland/WaylandSaverWindow.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <linux/input-event-codes.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-egl.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "host/MainLoop.h"
#include "host/SaverPlatform.h"
#include "host/SaverWindowProc.h"
#include "host/SetupErrors.h"
#include "platform/linux/FrameReport.h"
#include "platform/linux/MonotonicClock.h"
#include "platform/linux/StopSignal.h"
#include "platform/wayland/WaylandBlackBuffer.h"
#include "scene/DisplayScale.h"
#include "scene/Gl.h"
#include "scene/Scene.h"
#include "xdg-shell-client-protocol.h"

namespace {

// The largest logical side taken from the compositor, and the largest scale:
// their product stays far inside an int.
constexpr int kLargestSide = 16384;

struct Output {
    wl_output* output = nullptr;
    uint32_t name = 0;
    int32_t x = 0, y = 0;            // where the compositor says it is (often 0, 0)
    int32_t width = 0, height = 0;   // the current mode, in pixels
    int32_t scale = 1;
};

class WaylandSaverWindow;

// One xdg toplevel: full screen on one output, or the ordinary window.
struct Toplevel {
    WaylandSaverWindow* owner = nullptr;
    Output* output = nullptr;        // full screen on it; for the window, the last output it entered
    wl_surface* surface = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    bool show = false;               // the scene draws here; the others stay black
    bool fullScreen = false;
    bool configured = false;
    bool activated = false;
    int width = 0, height = 0;       // logical size the compositor asked for (0: ours to choose)
    int scale = 1;
    int bufferWidth = 0, bufferHeight = 0;  // what was last drawn or attached
    WaylandBlackBuffer black;
    wl_egl_window* eglWindow = nullptr;
    EGLSurface eglSurface = EGL_NO_SURFACE;

    // A size of 0 leaves it to us: the output's for a full-screen toplevel,
    // 640x480 for the window.
    int WantedWidth() const { return Logical(width, output ? output->width : 0, 640) * scale; }
    int WantedHeight() const { return Logical(height, output ? output->height : 0, 480) * scale; }
    int Logical(int asked, int outputPixels, int fallback) const
    {
        if (asked > 0)
            return asked;
        return fullScreen && outputPixels >= scale ? outputPixels / scale : fallback;
    }
};

class WaylandSaverWindow : public SaverPlatform, public MainLoopPlatform {
public:
    WaylandSaverWindow(wl_display* display, WaylandSaverKind kind, RunMode mode, SaverSettings& settings)
        : display_(display), kind_(kind), context_{settings, mode, *this}
    {
    }

    ~WaylandSaverWindow() override { TearDown(); }

    int Run()
    {
        registry_ = wl_display_get_registry(display_);
        wl_registry_add_listener(registry_, &kRegistryListener, this);
        // The globals, then what each output and the seat say about themselves.
        if (wl_display_roundtrip(display_) < 0 || wl_display_roundtrip(display_) < 0)
            return Lost();
        if (!compositor_ || !wmBase_ || !shm_) {
            std::fprintf(stderr, "quillmoor: the Wayland compositor offers no %s: the saver cannot show itself\n",
                         !compositor_ ? "wl_compositor" : !wmBase_ ? "xdg_wm_base (xdg-shell)" : "wl_shm");
            return 1;
        }
        if (kind_ == WaylandSaverKind::FullScreen && outputs_.empty()) {
            std::fprintf(stderr, "quillmoor: the Wayland compositor has no output to cover\n");
            return 1;
        }
        CreateToplevels();
        for (int tries = 0; !AllConfigured(); ++tries)
            if (tries == 50 || wl_display_roundtrip(display_) < 0)
                return Lost();
        if (!CreateContext()) {
            ReportSetupError(kSetPixelFormatFailed);
            return 1;
        }
        // The frame-rate text and the mouse threshold follow the scale of
        // the output the show is on: scale 2 is a display of 192 DPI.
        SetDisplayDpi(kBaseDpi * show_->scale);
        for (auto& each : toplevels_)
            if (!each->show)
                PaintBlack(*each);
        DispatchSaverMessage(context_, {SaverEvent::Create, 0});
        created_ = true;
        scene_ = std::make_unique<Scene>(show_->bufferWidth, show_->bufferHeight, context_.settings.sceneParameter);
        DispatchSaverMessage(context_, {SaverEvent::SetCursor, 0});
        RunMainLoop(*this);
        return lost_ ? 1 : 0;
    }

    // SaverPlatform
    WindowHandle Window() override { return reinterpret_cast<WindowHandle>(show_ ? show_->surface : nullptr); }
    // In pixels of the show's output: the compositor's logical units times
    // its scale, as the threshold is scaled.
    CursorPoint CursorPosition() override
    {
        CursorPoint point;
        const int scale = show_ ? show_->scale : 1;
        const Output* on = pointerOn_ ? pointerOn_->output : nullptr;
        point.x = static_cast<int32_t>(((on ? on->x : 0) + pointerX_) * scale);
        point.y = static_cast<int32_t>(((on ? on->y : 0) + pointerY_) * scale);
        return point;
    }
    uint32_t TickCount() override { return MonotonicMilliseconds(); }
    void PostCloseMessage() override { posted_.push_back({SaverEvent::Close, 0}); }
    void DestroyWindow() override
    {
        if (windowGone_)
            return;
        windowGone_ = true;
        // Unmapped now; the objects go at tear-down, after the scene.
        for (auto& each : toplevels_) {
            wl_surface_attach(each->surface, nullptr, 0, 0);
            wl_surface_commit(each->surface);
        }
        wl_display_flush(display_);
        // Wayland has no destroy event for our own surfaces: the procedure
        // hears of it now, as on Windows.
        SaverWindowProc(context_, {SaverEvent::Destroy, 0});
    }
    void PostQuitMessage() override { quitPosted_ = true; }
    void SetCursorVisible(bool visible) override
    {
        cursorHidden_ = !visible;
        HideCursorIfAsked();
    }
    void KillTimer(int32_t) override {}
    // No system password check on Linux: locking belongs to the session.
    bool VerifyPassword() override { return true; }

    // MainLoopPlatform
    Pump DispatchNextMessage() override
    {
        if (StopRequested() || quitPosted_)
            return Pump::Quit;
        if (DispatchFirstOf(posted_))
            return Pump::Dispatched;
        if (incoming_.empty() && !ReadEvents()) {
            Lost();
            if (!windowGone_) {
                windowGone_ = true;
                SaverWindowProc(context_, {SaverEvent::Destroy, 0});
            }
            return Pump::Dispatched;
        }
        return DispatchFirstOf(incoming_) ? Pump::Dispatched : Pump::Empty;
    }
    // Takes the queue's first message, if any, to the window (while it exists).
    bool DispatchFirstOf(std::deque<SaverMessage>& queue)
    {
        if (queue.empty())
            return false;
        const SaverMessage message = queue.front();
        queue.pop_front();
        if (!windowGone_)
            DispatchSaverMessage(context_, message);
        return true;
    }
    bool RenderFrame() override
    {
        if (!scene_ || windowGone_ || lost_)
            return false;
        FollowSize();
        return scene_->RenderFrame(context_.settings.sceneParameter);
    }
    void SwapBuffers() override
    {
        if (windowGone_ || lost_)
            return;
        eglSwapBuffers(eglDisplay_, show_->eglSurface);
        frameReport_.FrameDone();
    }
    void Sleep(unsigned milliseconds) override { SleepMilliseconds(milliseconds); }

private:
    // Reports that the compositor went away, once; returns 1.
    int Lost()
    {
        if (!lost_)
            std::fprintf(stderr, "quillmoor: lost the connection to the Wayland compositor\n");
        lost_ = true;
        return 1;
    }

    void ReportSetupError(const char* text)
    {
        std::fprintf(stderr, "quillmoor: %s\n", text);
    }

    // Whatever the compositor has sent, without waiting; false once the
    // connection is gone. Then whether the program as a whole still holds
    // the activation, which a move between its own toplevels does not change.
    bool ReadEvents()
    {
        if (wl_display_dispatch_pending(display_) < 0)
            return false;
        if (wl_display_prepare_read(display_) == 0) {
            if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
                wl_display_cancel_read(display_);
                return false;
            }
            pollfd ready{wl_display_get_fd(display_), POLLIN, 0};
            if (poll(&ready, 1, 0) > 0) {
                if (wl_display_read_events(display_) < 0)
                    return false;
            } else {
                wl_display_cancel_read(display_);
            }
        }
        if (wl_display_dispatch_pending(display_) < 0)
            return false;
        FollowActivation();
        return true;
    }

    void FollowActivation()
    {
        bool any = false;
        for (auto& each : toplevels_)
            any = any || each->activated;
        if (any == activated_)
            return;
        activated_ = any;
        incoming_.push_back({SaverEvent::Activate, any ? 1u : 0u});
    }

    bool AllConfigured() const
    {
        for (auto& each : toplevels_)
            if (!each->configured)
                return false;
        return true;
    }

    // The show goes to the largest output, the first of equals: there it is
    // seen best, and a software renderer draws it once only. Where outputs
    // mirror each other or differ only in place, that is the first.
    Output* ShowOutput()
    {
        Output* best = nullptr;
        for (auto& each : outputs_)
            if (!best || int64_t(each->width) * each->height > int64_t(best->width) * best->height)
                best = each.get();
        return best;
    }

    void CreateToplevels()
    {
        if (kind_ == WaylandSaverKind::Ordinary) {
            AddToplevel(outputs_.empty() ? nullptr : outputs_.front().get(), true);
        } else {
            Output* showOn = ShowOutput();
            for (auto& each : outputs_)
                AddToplevel(each.get(), each.get() == showOn);
        }
        for (auto& each : toplevels_)
            if (each->show)
                show_ = each.get();
    }

    void AddToplevel(Output* output, bool show)
    {
        auto made = std::make_unique<Toplevel>();
        Toplevel& t = *made;
        t.owner = this;
        t.output = output;
        t.show = show;
        t.scale = output ? output->scale : 1;
        t.surface = wl_compositor_create_surface(compositor_);
        wl_surface_add_listener(t.surface, &kSurfaceListener, &t);
        t.xdgSurface = xdg_wm_base_get_xdg_surface(wmBase_, t.surface);
        xdg_surface_add_listener(t.xdgSurface, &kXdgSurfaceListener, &t);
        t.toplevel = xdg_surface_get_toplevel(t.xdgSurface);
        xdg_toplevel_add_listener(t.toplevel, &kToplevelListener, &t);
        const bool fullScreen = kind_ == WaylandSaverKind::FullScreen;
        t.fullScreen = fullScreen;
        xdg_toplevel_set_title(t.toplevel, fullScreen ? "SaverWindow" : "Quillmoor");
        xdg_toplevel_set_app_id(t.toplevel, "quillmoor");
        if (fullScreen)
            xdg_toplevel_set_fullscreen(t.toplevel, output->output);
        wl_surface_set_buffer_scale(t.surface, t.scale);
        wl_surface_commit(t.surface);
        toplevels_.push_back(std::move(made));
    }

    bool CreateContext()
    {
        eglDisplay_ = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, display_, nullptr);
        if (eglDisplay_ == EGL_NO_DISPLAY || !eglInitialize(eglDisplay_, nullptr, nullptr))
            return false;
        if (!eglBindAPI(EGL_OPENGL_API))
            return false;
        // No alpha: the compositor would blend the desktop through wherever
        // the scene leaves alpha below one.
        const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 0,
                                 EGL_DEPTH_SIZE, 24, EGL_NONE};
        EGLConfig configs[64];
        EGLint count = 0;
        if (!eglChooseConfig(eglDisplay_, wanted, configs, 64, &count) || count <= 0)
            return false;
        EGLConfig config = configs[0];
        for (EGLint i = 0; i < count; ++i) {
            EGLint red = 0, alpha = 0;
            eglGetConfigAttrib(eglDisplay_, configs[i], EGL_RED_SIZE, &red);
            eglGetConfigAttrib(eglDisplay_, configs[i], EGL_ALPHA_SIZE, &alpha);
            if (red == 8 && alpha == 0) {
                config = configs[i];
                break;
            }
        }
        const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        eglContext_ = eglCreateContext(eglDisplay_, config, EGL_NO_CONTEXT, compatibility);
        if (eglContext_ == EGL_NO_CONTEXT)
            return false;
        show_->bufferWidth = show_->WantedWidth();
        show_->bufferHeight = show_->WantedHeight();
        show_->eglWindow = wl_egl_window_create(show_->surface, show_->bufferWidth, show_->bufferHeight);
        if (!show_->eglWindow)
            return false;
        show_->eglSurface = eglCreateWindowSurface(eglDisplay_, config,
                                                   reinterpret_cast<EGLNativeWindowType>(show_->eglWindow), nullptr);
        if (show_->eglSurface == EGL_NO_SURFACE
            || !eglMakeCurrent(eglDisplay_, show_->eglSurface, show_->eglSurface, eglContext_))
            return false;
        // The main loop paces the frames; a swap must never wait for a
        // frame callback that a hidden surface does not get.
        eglSwapInterval(eglDisplay_, 0);
        return true;
    }

    void PaintBlack(Toplevel& t)
    {
        const int width = t.WantedWidth(), height = t.WantedHeight();
        if (width == t.bufferWidth && height == t.bufferHeight && t.black.buffer())
            return;
        if (!t.black.Create(shm_, width, height))
            return;
        t.bufferWidth = width;
        t.bufferHeight = height;
        wl_surface_set_buffer_scale(t.surface, t.scale);
        wl_surface_attach(t.surface, t.black.buffer(), 0, 0);
        wl_surface_damage(t.surface, 0, 0, INT32_MAX, INT32_MAX);
        wl_surface_commit(t.surface);
    }

    // The show's buffer takes the size the compositor asked for, between frames.
    void FollowSize()
    {
        const int width = show_->WantedWidth(), height = show_->WantedHeight();
        if (width == show_->bufferWidth && height == show_->bufferHeight)
            return;
        show_->bufferWidth = width;
        show_->bufferHeight = height;
        wl_surface_set_buffer_scale(show_->surface, show_->scale);
        wl_egl_window_resize(show_->eglWindow, width, height, 0, 0);
        scene_->Resize(width, height);
    }

    void HideCursorIfAsked()
    {
        if (cursorHidden_ && pointer_ && pointerOn_)
            wl_pointer_set_cursor(pointer_, pointerSerial_, nullptr, 0, 0);
    }

    Toplevel* Find(wl_surface* surface)
    {
        for (auto& each : toplevels_)
            if (each->surface == surface)
                return each.get();
        return nullptr;
    }

    Output* FindOutput(wl_output* output)
    {
        for (auto& each : outputs_)
            if (each->output == output)
                return each.get();
        return nullptr;
    }

    // Native events, turned into the window procedure's.

    void OnGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
    {
        auto bind = [&](const wl_interface* kind, uint32_t most) {
            return wl_registry_bind(registry, name, kind, version < most ? version : most);
        };
        const std::string which(interface);
        if (which == wl_compositor_interface.name) {
            compositor_ = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
        } else if (which == wl_shm_interface.name) {
            shm_ = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
        } else if (which == xdg_wm_base_interface.name) {
            wmBase_ = static_cast<xdg_wm_base*>(bind(&xdg_wm_base_interface, 2));
            xdg_wm_base_add_listener(wmBase_, &kWmBaseListener, this);
        } else if (which == wl_seat_interface.name && !seat_) {
            seat_ = static_cast<wl_seat*>(bind(&wl_seat_interface, 1));
            wl_seat_add_listener(seat_, &kSeatListener, this);
        } else if (which == wl_output_interface.name && !created_) {
            // Outputs that come later are not covered: the run began without them.
            auto output = std::make_unique<Output>();
            output->name = name;
            output->output = static_cast<wl_output*>(bind(&wl_output_interface, 2));
            wl_output_add_listener(output->output, &kOutputListener, output.get());
            outputs_.push_back(std::move(output));
        }
    }

    void OnSeatCapabilities(uint32_t capabilities)
    {
        if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !keyboard_) {
            keyboard_ = wl_seat_get_keyboard(seat_);
            wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
        } else if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && keyboard_) {
            wl_keyboard_destroy(keyboard_);
            keyboard_ = nullptr;
            altHeld_ = false;
        }
        if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !pointer_) {
            pointer_ = wl_seat_get_pointer(seat_);
            wl_pointer_add_listener(pointer_, &kPointerListener, this);
        } else if (!(capabilities & WL_SEAT_CAPABILITY_POINTER) && pointer_) {
            wl_pointer_destroy(pointer_);
            pointer_ = nullptr;
            pointerOn_ = nullptr;
        }
    }

    void OnKey(uint32_t key, uint32_t state)
    {
        const bool alt = key == KEY_LEFTALT || key == KEY_RIGHTALT;
        if (alt)
            altHeld_ = state == WL_KEYBOARD_KEY_STATE_PRESSED;
        if (state != WL_KEYBOARD_KEY_STATE_PRESSED)
            return;
        if (altHeld_ && key == KEY_F4)
            incoming_.push_back({SaverEvent::SysCommand, kScClose});
        else if (altHeld_ || key == KEY_LEFTMETA || key == KEY_RIGHTMETA || key == KEY_F10)
            incoming_.push_back({SaverEvent::SysKeyDown, 0});
        else
            incoming_.push_back({SaverEvent::KeyDown, 0});
    }

    // The pointer's place is known only once it enters one of our surfaces:
    // the first place it is seen is where its travel is measured from.
    void OnPointerEnter(uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y)
    {
        pointerOn_ = Find(surface);
        pointerSerial_ = serial;
        pointerX_ = wl_fixed_to_double(x);
        pointerY_ = wl_fixed_to_double(y);
        HideCursorIfAsked();
        if (!pointerSeen_) {
            pointerSeen_ = true;
            if (created_)
                context_.settings.startCursor = CursorPosition();
            return;
        }
        incoming_.push_back({SaverEvent::MouseMove, 0});
    }

    void OnPointerMotion(wl_fixed_t x, wl_fixed_t y)
    {
        pointerX_ = wl_fixed_to_double(x);
        pointerY_ = wl_fixed_to_double(y);
        if (pointerSeen_)
            incoming_.push_back({SaverEvent::MouseMove, 0});
    }

    void OnButton(uint32_t button, uint32_t state)
    {
        if (state != WL_POINTER_BUTTON_STATE_PRESSED)
            return;
        if (button == BTN_LEFT)
            incoming_.push_back({SaverEvent::LeftButtonDown, 0});
        else if (button == BTN_RIGHT)
            incoming_.push_back({SaverEvent::RightButtonDown, 0});
        else if (button == BTN_MIDDLE)
            incoming_.push_back({SaverEvent::MiddleButtonDown, 0});
    }

    static void OnToplevelConfigure(Toplevel& t, int32_t width, int32_t height, wl_array* states)
    {
        // Sizes beyond what any GL draws are taken as the largest it might.
        t.width = width < 0 ? 0 : width > kLargestSide ? kLargestSide : width;
        t.height = height < 0 ? 0 : height > kLargestSide ? kLargestSide : height;
        bool activated = false;
        const uint32_t* state = static_cast<const uint32_t*>(states->data);
        for (size_t i = 0; i < states->size / sizeof *state; ++i)
            activated = activated || state[i] == XDG_TOPLEVEL_STATE_ACTIVATED;
        t.activated = activated;
    }

    void OnSurfaceConfigure(Toplevel& t, uint32_t serial)
    {
        xdg_surface_ack_configure(t.xdgSurface, serial);
        t.configured = true;
        if (!t.show && created_ && !windowGone_)
            PaintBlack(t);
    }

    // The window shows at the scale of the output it last entered.
    void OnSurfaceEnter(Toplevel& t, wl_output* output)
    {
        Output* entered = FindOutput(output);
        if (!entered || kind_ != WaylandSaverKind::Ordinary)
            return;
        t.output = entered;
        t.scale = entered->scale;
    }

    void TearDown()
    {
        if (scene_) {
            if (eglContext_ != EGL_NO_CONTEXT && show_ && show_->eglSurface != EGL_NO_SURFACE && !lost_)
                eglMakeCurrent(eglDisplay_, show_->eglSurface, show_->eglSurface, eglContext_);
            scene_.reset();
        }
        if (eglDisplay_ != EGL_NO_DISPLAY)
            eglMakeCurrent(eglDisplay_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        for (auto& each : toplevels_) {
            if (each->eglSurface != EGL_NO_SURFACE)
                eglDestroySurface(eglDisplay_, each->eglSurface);
            if (each->eglWindow)
                wl_egl_window_destroy(each->eglWindow);
            xdg_toplevel_destroy(each->toplevel);
            xdg_surface_destroy(each->xdgSurface);
            wl_surface_destroy(each->surface);
            each->black.Release();
        }
        toplevels_.clear();
        show_ = nullptr;
        if (eglContext_ != EGL_NO_CONTEXT)
            eglDestroyContext(eglDisplay_, eglContext_);
        if (eglDisplay_ != EGL_NO_DISPLAY)
            eglTerminate(eglDisplay_);
        eglContext_ = EGL_NO_CONTEXT;
        eglDisplay_ = EGL_NO_DISPLAY;
        if (keyboard_)
            wl_keyboard_destroy(keyboard_);
        if (pointer_)
            wl_pointer_destroy(pointer_);
        if (seat_)
            wl_seat_destroy(seat_);
        for (auto& each : outputs_)
            wl_output_destroy(each->output);
        outputs_.clear();
        if (wmBase_)
            xdg_wm_base_destroy(wmBase_);
        if (shm_)
            wl_shm_destroy(shm_);
        if (compositor_)
            wl_compositor_destroy(compositor_);
        if (registry_)
            wl_registry_destroy(registry_);
        keyboard_ = nullptr;
        pointer_ = nullptr;
        seat_ = nullptr;
        wmBase_ = nullptr;
        shm_ = nullptr;
        compositor_ = nullptr;
        registry_ = nullptr;
        wl_display_flush(display_);
    }

    static WaylandSaverWindow& Of(void* data) { return *static_cast<WaylandSaverWindow*>(data); }
    static Toplevel& TopOf(void* data) { return *static_cast<Toplevel*>(data); }

    static const wl_registry_listener kRegistryListener;
    static const xdg_wm_base_listener kWmBaseListener;
    static const wl_output_listener kOutputListener;
    static const wl_surface_listener kSurfaceListener;
    static const xdg_surface_listener kXdgSurfaceListener;
    static const xdg_toplevel_listener kToplevelListener;
    static const wl_seat_listener kSeatListener;
    static const wl_keyboard_listener kKeyboardListener;
    static const wl_pointer_listener kPointerListener;

    wl_display* display_;
    WaylandSaverKind kind_;
    SaverWindowContext context_;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    xdg_wm_base* wmBase_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::vector<std::unique_ptr<Toplevel>> toplevels_;
    Toplevel* show_ = nullptr;
    EGLDisplay eglDisplay_ = EGL_NO_DISPLAY;
    EGLContext eglContext_ = EGL_NO_CONTEXT;
    Toplevel* pointerOn_ = nullptr;
    uint32_t pointerSerial_ = 0;
    double pointerX_ = 0, pointerY_ = 0;
    bool pointerSeen_ = false;
    bool cursorHidden_ = false;
    bool altHeld_ = false;
    bool activated_ = false;
    bool created_ = false;
    bool windowGone_ = false;
    bool quitPosted_ = false;
    bool lost_ = false;
    std::deque<SaverMessage> posted_;
    std::deque<SaverMessage> incoming_;
    std::unique_ptr<Scene> scene_;
    FrameReport frameReport_;
};

// Each listener names the events it handles; those of later protocol
// versions than the ones bound stay null, as they never arrive.
const wl_registry_listener WaylandSaverWindow::kRegistryListener = [] {
    wl_registry_listener l{};
    l.global = [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        Of(data).OnGlobal(registry, name, interface, version);
    };
    l.global_remove = [](void*, wl_registry*, uint32_t) {};
    return l;
}();

const xdg_wm_base_listener WaylandSaverWindow::kWmBaseListener = [] {
    xdg_wm_base_listener l{};
    l.ping = [](void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); };
    return l;
}();

const wl_output_listener WaylandSaverWindow::kOutputListener = [] {
    wl_output_listener l{};
    l.geometry = [](void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*, const char*,
                    int32_t) {
        static_cast<Output*>(data)->x = x;
        static_cast<Output*>(data)->y = y;
    };
    l.mode = [](void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
        if (flags & WL_OUTPUT_MODE_CURRENT) {
            static_cast<Output*>(data)->width = width;
            static_cast<Output*>(data)->height = height;
        }
    };
    l.done = [](void*, wl_output*) {};
    l.scale = [](void* data, wl_output*, int32_t scale) {
        static_cast<Output*>(data)->scale = scale > 0 && scale <= 8 ? scale : 1;
    };
    return l;
}();

const wl_surface_listener WaylandSaverWindow::kSurfaceListener = [] {
    wl_surface_listener l{};
    l.enter = [](void* data, wl_surface*, wl_output* output) { TopOf(data).owner->OnSurfaceEnter(TopOf(data), output); };
    l.leave = [](void*, wl_surface*, wl_output*) {};
    return l;
}();

const xdg_surface_listener WaylandSaverWindow::kXdgSurfaceListener = [] {
    xdg_surface_listener l{};
    l.configure = [](void* data, xdg_surface*, uint32_t serial) {
        TopOf(data).owner->OnSurfaceConfigure(TopOf(data), serial);
    };
    return l;
}();

const xdg_toplevel_listener WaylandSaverWindow::kToplevelListener = [] {
    xdg_toplevel_listener l{};
    l.configure = [](void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array* states) {
        OnToplevelConfigure(TopOf(data), width, height, states);
    };
    l.close = [](void* data, xdg_toplevel*) { TopOf(data).owner->incoming_.push_back({SaverEvent::Close, 0}); };
    return l;
}();

const wl_seat_listener WaylandSaverWindow::kSeatListener = [] {
    wl_seat_listener l{};
    l.capabilities = [](void* data, wl_seat*, uint32_t capabilities) { Of(data).OnSeatCapabilities(capabilities); };
    return l;
}();

const wl_keyboard_listener WaylandSaverWindow::kKeyboardListener = [] {
    wl_keyboard_listener l{};
    // The keymap is not needed: any key ends the saver, and Alt, the logo
    // keys and F10 are told apart by their evdev codes.
    l.keymap = [](void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); };
    l.enter = [](void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {};
    l.leave = [](void* data, wl_keyboard*, uint32_t, wl_surface*) { Of(data).altHeld_ = false; };
    l.key = [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
        Of(data).OnKey(key, state);
    };
    l.modifiers = [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {};
    return l;
}();

const wl_pointer_listener WaylandSaverWindow::kPointerListener = [] {
    wl_pointer_listener l{};
    l.enter = [](void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
        Of(data).OnPointerEnter(serial, surface, x, y);
    };
    l.leave = [](void* data, wl_pointer*, uint32_t, wl_surface*) { Of(data).pointerOn_ = nullptr; };
    l.motion = [](void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) { Of(data).OnPointerMotion(x, y); };
    l.button = [](void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
        Of(data).OnButton(button, state);
    };
    l.axis = [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {};
    return l;
}();

}  // namespace

int RunWaylandSaverWindow(wl_display* display, WaylandSaverKind kind, RunMode mode, SaverSettings& settings)
{
    WaylandSaverWindow window(display, kind, mode, settings);
    return window.Run();
}
