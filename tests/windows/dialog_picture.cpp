// Makes the README's picture of Typekiln's main dialog from the real
// program: starts Typekiln.exe without arguments, sets an outline and an
// extrusion, refreshes the preview, and writes the dialog as it shows on
// screen to a 32-bit TGA.
//
//   dialog_picture.exe Typekiln.exe picture.tga
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frontend/resource.h"
#include "images/image_writers.h"
#include "images/surface.h"
#include "tests/gui_driver/gui_driver.h"

namespace {

bool capture(HWND window, Surface& picture) {
    RECT outer;
    GetWindowRect(window, &outer);
    if (!picture.create(outer.right - outer.left, outer.bottom - outer.top)) return false;
    const std::vector<COLORREF> pixels = capturePixels(outer);
    for (int32_t y = 0; y < picture.getHeight(); ++y) {
        for (int32_t x = 0; x < picture.getWidth(); ++x) {
            const COLORREF pixel = pixels[static_cast<size_t>(y) * picture.getWidth() + x];
            picture.setPixel(x, y, pixelFromPackedColour(pixel, 255));
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialog_picture Typekiln.exe picture.tga\n");
        return 2;
    }
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    RunningProgram program(std::string("\"") + argv[1] + "\"", folder);
    HWND dialog = nullptr;
    eventually([&] {
        dialog = program.findWindow("#32770", "Typekiln Version 1.0.8");
        return dialog && IsWindowVisible(dialog);
    });
    bool written = false;
    if (dialog) {
        SetDlgItemTextA(dialog, IDC_FONT_SIZE, "40");
        SetDlgItemTextA(dialog, IDC_SAMPLE, "4");
        SetDlgItemTextA(dialog, IDC_EDGE_SIZE, "2");
        SetDlgItemTextA(dialog, IDC_BEVEL_SIZE, "2");
        SendDlgItemMessageA(dialog, IDC_EDGE_ON, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_BEVEL_ON, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_REFRESH_PREVIEW, BM_CLICK, 0, 0);
        waitUntilDrawn(dialog);
        Surface picture;
        written = capture(dialog, picture) && writeTga32(picture, argv[2], 0);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    if (!program.waitForExit(10000)) program.terminate(1);
    if (!written) std::fprintf(stderr, "dialog_picture: no picture of the dialog\n");
    return written ? 0 : 1;
}
