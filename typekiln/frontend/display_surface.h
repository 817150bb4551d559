#pragma once

#include <windows.h>

#include "images/surface.h"

// The 32-bit picture behind the preview: a DirectDraw object in software
// emulation with one system-memory surface of a window's outer size (bytes
// blue, green, red, alpha). One program-wide instance; COM is initialised
// on the thread that opens it, and every call comes from that thread.
namespace DisplaySurface {

// What the user is told when open() fails.
constexpr char kOpenFailure[] = "DirectDrawの初期化に失敗しました";

// Creates the DirectDraw object and the surface for `window`, giving back
// those of an earlier opening first. Returns false when any step fails;
// close() then gives back what was made.
bool open(HWND window);

// Releases the surface and the DirectDraw object, and ends COM on the thread.
void close();

// Paints `source` over a mid-grey background into the surface (see
// composeOverGrey). A surface that cannot be locked keeps its last picture.
void compose(const Surface& source);

// Copies the surface into the top-left corner of `window`'s client area.
void show(HWND window);

}  // namespace DisplaySurface
