#include "frontend/display_surface.h"

#include <ddraw.h>
#include <objbase.h>

#include "frontend_core/preview_image.h"
#include "win32/owners.h"

namespace {

ComStart comStart;  // declared first, so that COM ends after the objects go
ComPointer<IDirectDraw> directDraw;
ComPointer<IDirectDrawSurface> surface;
int width = 0;
int height = 0;

DDSURFACEDESC describeSurface() {
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    description.dwWidth = static_cast<DWORD>(width);
    description.dwHeight = static_cast<DWORD>(height);
    description.ddpfPixelFormat.dwSize = sizeof description.ddpfPixelFormat;
    description.ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
    description.ddpfPixelFormat.dwRGBBitCount = 32;
    description.ddpfPixelFormat.dwBBitMask = 0x000000FF;
    description.ddpfPixelFormat.dwGBitMask = 0x0000FF00;
    description.ddpfPixelFormat.dwRBitMask = 0x00FF0000;
    description.ddpfPixelFormat.dwRGBAlphaBitMask = 0xFF000000;
    return description;
}

// The surface's device context, for as long as the object lives.
class SurfaceDc {
public:
    SurfaceDc() {
        if (!surface || FAILED(surface->GetDC(&dc_))) dc_ = nullptr;
    }
    ~SurfaceDc() {
        if (dc_) surface->ReleaseDC(dc_);
    }
    SurfaceDc(const SurfaceDc&) = delete;
    SurfaceDc& operator=(const SurfaceDc&) = delete;

    HDC get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// Locks the whole surface, waiting while it is busy, for as long as the
// object lives.
class SurfaceLock {
public:
    SurfaceLock() {
        description_.dwSize = sizeof description_;
        if (!surface || FAILED(surface->Lock(nullptr, &description_, DDLOCK_WAIT, nullptr))) {
            description_.lpSurface = nullptr;
        }
    }
    ~SurfaceLock() {
        if (description_.lpSurface) surface->Unlock(description_.lpSurface);
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

    explicit operator bool() const { return description_.lpSurface != nullptr; }
    DisplayPixels pixels() const {
        return {static_cast<uint8_t*>(description_.lpSurface), static_cast<int32_t>(description_.lPitch),
                static_cast<int32_t>(description_.dwWidth), static_cast<int32_t>(description_.dwHeight)};
    }

private:
    DDSURFACEDESC description_ = {};
};

}  // namespace

bool DisplaySurface::open(HWND window) {
    if (!comStart) comStart = startCom();
    surface.reset();
    if (FAILED(CoCreateInstance(CLSID_DirectDraw, nullptr, CLSCTX_ALL, IID_IDirectDraw,
                                reinterpret_cast<void**>(directDraw.fill())))) {
        return false;
    }
    if (FAILED(directDraw->Initialize(reinterpret_cast<GUID*>(DDCREATE_EMULATIONONLY)))) return false;
    // No window: DirectDraw never shows this surface itself, and a window
    // given here is prepared for DirectDraw's own drawing, which on some
    // systems then hides what GDI draws into it (the preview control).
    if (FAILED(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL))) return false;

    RECT outer;
    GetWindowRect(window, &outer);
    width = outer.right - outer.left;
    height = outer.bottom - outer.top;

    DDSURFACEDESC description = describeSurface();
    return SUCCEEDED(directDraw->CreateSurface(&description, surface.fill(), nullptr));
}

void DisplaySurface::close() {
    surface.reset();
    directDraw.reset();
    comStart.reset();
}

void DisplaySurface::compose(const Surface& source) {
    SurfaceLock lock;
    if (lock) composeOverGrey(source, lock.pixels());
}

void DisplaySurface::show(HWND window) {
    // Taken in this order, given back in the other: the window's first.
    SurfaceDc surfaceDc;
    WindowDc windowDc(window);
    if (!surfaceDc.get() || !windowDc) return;
    BitBlt(windowDc.get(), 0, 0, width, height, surfaceDc.get(), 0, 0, SRCCOPY);
}
