#pragma once

#include <windows.h>

// The 32-bit picture behind the preview: a DirectDraw object in software
// emulation with one system-memory surface of a window's outer size (bytes
// blue, green, red, alpha). One program-wide instance; COM is initialised
// on the thread that opens it.
namespace DisplaySurface {

// Creates the DirectDraw object and the surface for `window`. Returns false
// when any step fails; close() then gives back what was made.
bool open(HWND window);

// Releases the surface and the DirectDraw object, and ends COM on the thread.
void close();

}  // namespace DisplaySurface
