// Offscreen rendering through EGL on Mesa's surfaceless platform (or its
// software device): a compatibility-profile OpenGL context on a pbuffer.
// A pbuffer rather than a framebuffer object: it is a default framebuffer
// with one colour buffer, so the scene's GL_BACK/GL_FRONT draw buffers, the
// read buffer and the glow's copy from it behave as they do in a window.
//
// libEGL is loaded when first needed, so that the windowed saver runs where
// it is missing and an offscreen run can say so plainly. GL calls still go
// through libGL, whose dispatch follows the current EGL context.
#include <dlfcn.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

#include "platform/offscreen/OffscreenBackend.h"
#include "scene/Gl.h"

namespace {

constexpr const char* kEglLibrary = "libEGL.so.1";

// QUILLMOOR_EGL_FAULT=library|platform|context|surface makes that step of the
// set-up fail, for the tests of its messages: each one is handed to EGL in a
// form it refuses.
bool Fault(const char* step)
{
    const char* fault = std::getenv("QUILLMOOR_EGL_FAULT");
    return fault && std::strcmp(fault, step) == 0;
}

struct EglFunctions {
    PFNEGLGETPROCADDRESSPROC GetProcAddress = nullptr;
    PFNEGLGETERRORPROC GetError = nullptr;
    PFNEGLQUERYSTRINGPROC QueryString = nullptr;
    PFNEGLGETPLATFORMDISPLAYPROC GetPlatformDisplay = nullptr;
    PFNEGLINITIALIZEPROC Initialize = nullptr;
    PFNEGLBINDAPIPROC BindAPI = nullptr;
    PFNEGLCHOOSECONFIGPROC ChooseConfig = nullptr;
    PFNEGLCREATECONTEXTPROC CreateContext = nullptr;
    PFNEGLCREATEPBUFFERSURFACEPROC CreatePbufferSurface = nullptr;
    PFNEGLMAKECURRENTPROC MakeCurrent = nullptr;
    PFNEGLDESTROYSURFACEPROC DestroySurface = nullptr;
    PFNEGLDESTROYCONTEXTPROC DestroyContext = nullptr;
    PFNEGLQUERYDEVICESEXTPROC QueryDevices = nullptr;
    PFNEGLQUERYDEVICESTRINGEXTPROC QueryDeviceString = nullptr;
};

// The library stays loaded for the life of the process: libGL's dispatch
// may point into the driver it brought in.
const EglFunctions* LoadEgl(std::string& error)
{
    static EglFunctions functions;
    static bool loaded = false;
    if (loaded)
        return &functions;
    void* library = dlopen(Fault("library") ? "libEGL-missing.so.1" : kEglLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        error = std::string("cannot load the EGL library ") + kEglLibrary + " (Debian package libegl1)"
            + (why ? std::string(": ") + why : "");
        return nullptr;
    }
    bool complete = true;
    auto load = [&](auto& pointer, const char* name) {
        pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(dlsym(library, name));
        complete = complete && pointer;
    };
    load(functions.GetProcAddress, "eglGetProcAddress");
    load(functions.GetError, "eglGetError");
    load(functions.QueryString, "eglQueryString");
    load(functions.GetPlatformDisplay, "eglGetPlatformDisplay");
    load(functions.Initialize, "eglInitialize");
    load(functions.BindAPI, "eglBindAPI");
    load(functions.ChooseConfig, "eglChooseConfig");
    load(functions.CreateContext, "eglCreateContext");
    load(functions.CreatePbufferSurface, "eglCreatePbufferSurface");
    load(functions.MakeCurrent, "eglMakeCurrent");
    load(functions.DestroySurface, "eglDestroySurface");
    load(functions.DestroyContext, "eglDestroyContext");
    if (!complete) {
        error = std::string(kEglLibrary) + " is not EGL 1.5 (eglGetPlatformDisplay and others are missing)";
        return nullptr;
    }
    functions.QueryDevices = reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(functions.GetProcAddress("eglQueryDevicesEXT"));
    functions.QueryDeviceString =
        reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(functions.GetProcAddress("eglQueryDeviceStringEXT"));
    loaded = true;
    return &functions;
}

bool HasExtension(const char* list, const char* name)
{
    const size_t length = std::strlen(name);
    for (const char* at = list; at && (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    return false;
}

std::string ErrorName(EGLint code)
{
    switch (code) {
    case EGL_SUCCESS: return "EGL_SUCCESS";
    case EGL_NOT_INITIALIZED: return "EGL_NOT_INITIALIZED";
    case EGL_BAD_ACCESS: return "EGL_BAD_ACCESS";
    case EGL_BAD_ALLOC: return "EGL_BAD_ALLOC";
    case EGL_BAD_ATTRIBUTE: return "EGL_BAD_ATTRIBUTE";
    case EGL_BAD_CONFIG: return "EGL_BAD_CONFIG";
    case EGL_BAD_CONTEXT: return "EGL_BAD_CONTEXT";
    case EGL_BAD_CURRENT_SURFACE: return "EGL_BAD_CURRENT_SURFACE";
    case EGL_BAD_DISPLAY: return "EGL_BAD_DISPLAY";
    case EGL_BAD_MATCH: return "EGL_BAD_MATCH";
    case EGL_BAD_PARAMETER: return "EGL_BAD_PARAMETER";
    case EGL_BAD_SURFACE: return "EGL_BAD_SURFACE";
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "EGL error 0x%04x", static_cast<unsigned>(code));
        return text;
    }
    }
}

class EglBackend : public OffscreenBackend {
public:
    explicit EglBackend(bool softwareDevice) : softwareDevice_(softwareDevice) {}

    ~EglBackend() override
    {
        if (!egl_ || display_ == EGL_NO_DISPLAY)
            return;
        if (context_ != EGL_NO_CONTEXT && MakeCurrent())
            glFinish();
        egl_->MakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (surface_ != EGL_NO_SURFACE)
            egl_->DestroySurface(display_, surface_);
        if (context_ != EGL_NO_CONTEXT)
            egl_->DestroyContext(display_, context_);
        // The display stays initialised: other contexts of the process share
        // it, and initialising it again for each context costs a driver load.
    }

    std::string Name() const override { return softwareDevice_ ? "EGL, software device" : "EGL, surfaceless"; }

    bool Create(int width, int height, std::string& error) override
    {
        width_ = width;
        height_ = height;
        egl_ = LoadEgl(error);
        if (!egl_ || !OpenDisplay(error))
            return false;
        EGLint major = 0, minor = 0;
        if (!egl_->Initialize(display_, &major, &minor)) {
            error = "cannot initialise the EGL display (" + ErrorName(egl_->GetError()) + ")";
            return false;
        }
        if (!egl_->BindAPI(EGL_OPENGL_API)) {
            error = "this EGL has no desktop OpenGL (" + ErrorName(egl_->GetError()) + ")";
            return false;
        }
        // 8-bit alpha too: without it Mesa may pick a 10-bit RGB config.
        const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                           EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                           EGL_DEPTH_SIZE, 24, EGL_NONE};
        EGLConfig config = nullptr;
        EGLint count = 0;
        if (!egl_->ChooseConfig(display_, configAttributes, &config, 1, &count) || count < 1) {
            error = "EGL offers no RGBA 8-bit pbuffer config with a 24-bit depth buffer for OpenGL";
            return false;
        }
        const EGLint contextAttributes[] = {
            EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
            EGL_CONTEXT_MAJOR_VERSION, Fault("context") ? 99 : 1, EGL_NONE};
        context_ = egl_->CreateContext(display_, config, EGL_NO_CONTEXT, contextAttributes);
        if (context_ == EGL_NO_CONTEXT) {
            error = "cannot create a compatibility-profile OpenGL context (" + ErrorName(egl_->GetError()) + ")";
            return false;
        }
        const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height,
                                            Fault("surface") ? EGL_RENDER_BUFFER : EGL_NONE, EGL_SINGLE_BUFFER,
                                            EGL_NONE};
        surface_ = egl_->CreatePbufferSurface(display_, config, surfaceAttributes);
        if (surface_ == EGL_NO_SURFACE) {
            error = "cannot create a " + std::to_string(width) + "x" + std::to_string(height) + " pbuffer surface ("
                + ErrorName(egl_->GetError()) + ")";
            return false;
        }
        if (!MakeCurrent()) {
            error = "cannot make the EGL context current (" + ErrorName(egl_->GetError()) + ")";
            return false;
        }
        return true;
    }

    bool MakeCurrent() override
    {
        return context_ != EGL_NO_CONTEXT && egl_->BindAPI(EGL_OPENGL_API)
            && egl_->MakeCurrent(display_, surface_, surface_, context_);
    }

    void ReadPixels(std::vector<uint8_t>& pixels) override
    {
        // What the last frame drew into, whichever buffer the scene chose;
        // the caller's read buffer and packing are left as they were.
        GLint drawBuffer = GL_BACK, readBuffer = GL_BACK, alignment = 4;
        glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
        glGetIntegerv(GL_READ_BUFFER, &readBuffer);
        glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
        glReadBuffer(static_cast<GLenum>(drawBuffer));
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, alignment);
        glReadBuffer(static_cast<GLenum>(readBuffer));
    }

private:
    bool OpenDisplay(std::string& error)
    {
        const char* client = egl_->QueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
        // No platform at all: EGL refuses it as it refuses a missing one.
        const EGLenum broken = EGL_NONE;
        if (!softwareDevice_) {
            if (!HasExtension(client, "EGL_MESA_platform_surfaceless")) {
                error = "this EGL has no surfaceless platform (EGL_MESA_platform_surfaceless; is Mesa's libegl-mesa0 "
                        "installed?)";
                return false;
            }
            display_ = egl_->GetPlatformDisplay(Fault("platform") ? broken : EGL_PLATFORM_SURFACELESS_MESA,
                                                EGL_DEFAULT_DISPLAY, nullptr);
            if (display_ == EGL_NO_DISPLAY) {
                error = "EGL's surfaceless platform gives no display (" + ErrorName(egl_->GetError()) + ")";
                return false;
            }
            return true;
        }
        if (!HasExtension(client, "EGL_EXT_device_enumeration") || !HasExtension(client, "EGL_EXT_platform_device")
            || !egl_->QueryDevices || !egl_->QueryDeviceString) {
            error = "this EGL cannot list its devices (EGL_EXT_device_enumeration, EGL_EXT_platform_device), so it "
                    "has no software device to choose";
            return false;
        }
        EGLDeviceEXT devices[16];
        EGLint count = 0;
        if (!egl_->QueryDevices(16, devices, &count))
            count = 0;
        for (EGLint i = 0; i < count; ++i) {
            if (!HasExtension(egl_->QueryDeviceString(devices[i], EGL_EXTENSIONS), "EGL_MESA_device_software"))
                continue;
            display_ = egl_->GetPlatformDisplay(Fault("platform") ? broken : EGL_PLATFORM_DEVICE_EXT, devices[i],
                                                nullptr);
            if (display_ == EGL_NO_DISPLAY) {
                error = "EGL's software device gives no display (" + ErrorName(egl_->GetError()) + ")";
                return false;
            }
            return true;
        }
        error = "EGL lists no software device (EGL_MESA_device_software; is Mesa's libegl-mesa0 installed?)";
        return false;
    }

    bool softwareDevice_;
    int width_ = 0;
    int height_ = 0;
    const EglFunctions* egl_ = nullptr;
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
    EGLSurface surface_ = EGL_NO_SURFACE;
};

}  // namespace

std::unique_ptr<OffscreenBackend> MakeEglBackend(bool softwareDevice)
{
    return std::make_unique<EglBackend>(softwareDevice);
}
