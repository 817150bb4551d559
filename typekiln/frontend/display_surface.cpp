#include "display_surface.h"

#include <ddraw.h>
#include <objbase.h>

namespace {

bool comStarted = false;  // each successful CoInitialize wants its CoUninitialize
IDirectDraw* directDraw = nullptr;
IDirectDrawSurface* surface = nullptr;
int width = 0;
int height = 0;

}  // namespace

bool DisplaySurface::open(HWND window) {
    if (!comStarted) comStarted = SUCCEEDED(CoInitialize(nullptr));
    if (FAILED(CoCreateInstance(CLSID_DirectDraw, nullptr, CLSCTX_ALL, IID_IDirectDraw,
                                reinterpret_cast<void**>(&directDraw)))) {
        directDraw = nullptr;
        return false;
    }
    if (FAILED(directDraw->Initialize(reinterpret_cast<GUID*>(DDCREATE_EMULATIONONLY)))) return false;
    if (FAILED(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL))) return false;

    RECT outer;
    GetWindowRect(window, &outer);
    width = outer.right - outer.left;
    height = outer.bottom - outer.top;

    if (surface) {
        surface->Release();
        surface = nullptr;
    }
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
    if (FAILED(directDraw->CreateSurface(&description, &surface, nullptr))) {
        surface = nullptr;
        return false;
    }
    return true;
}

void DisplaySurface::close() {
    if (surface) surface->Release();
    if (directDraw) directDraw->Release();
    surface = nullptr;
    directDraw = nullptr;
    if (comStarted) CoUninitialize();
    comStarted = false;
}
