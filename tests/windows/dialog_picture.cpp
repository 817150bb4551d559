// Makes the README's picture of Typekiln's main dialog from the real
// program: starts Typekiln.exe without arguments, sets an outline and an
// extrusion, refreshes the preview, and writes the dialog as it shows on
// screen to a 32-bit TGA.
//
//   dialog_picture.exe Typekiln.exe picture.tga
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "resource.h"
#include "surface.h"

namespace {

// Picks the face list's entry `face`, if the system has it, as a click would.
void chooseFace(HWND dialog, const wchar_t* face) {
    HWND list = GetDlgItem(dialog, IDC_FACE);
    const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t name[64] = L"";
        if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) >= 64) continue;
        SendMessageW(list, CB_GETLBTEXT, i, LPARAM(name));
        if (wcscmp(name, face) != 0) continue;
        SendMessageW(list, CB_SETCURSEL, i, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FACE, CBN_SELCHANGE), LPARAM(list));
    }
}

HWND waitForWindow(const char* title) {
    for (int i = 0; i < 500; ++i) {
        if (HWND window = FindWindowA("#32770", title)) return window;
        Sleep(20);
    }
    return nullptr;
}

// Copies what the screen shows of `window` into `picture`.
bool capture(HWND window, Surface& picture) {
    RECT outer;
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    if (!picture.create(width, height)) return false;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY);
    GdiFlush();
    uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    picture.lockPixels(&pixels, &pitch);
    const uint32_t* row = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) pixels[i] = row[i] | 0xFF000000;  // the screen is opaque
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialog_picture Typekiln.exe picture.tga\n");
        return 2;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = std::string("\"") + argv[1] + "\"";
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "dialog_picture: cannot start %s\n", argv[1]);
        return 1;
    }
    HWND dialog = waitForWindow("Typekiln Version 1.0.8");
    bool written = false;
    if (dialog) {
        // Where the system has no "ＭＳ ゴシック", the list shows a face it has.
        chooseFace(dialog, L"IPAゴシック");
        SetDlgItemTextA(dialog, IDC_FONT_SIZE, "40");
        SetDlgItemTextA(dialog, IDC_SAMPLE, "4");
        SetDlgItemTextA(dialog, IDC_EDGE_SIZE, "2");
        SetDlgItemTextA(dialog, IDC_BEVEL_SIZE, "2");
        SendDlgItemMessageA(dialog, IDC_EDGE_ON, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_BEVEL_ON, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_REFRESH_PREVIEW, BM_CLICK, 0, 0);
        Sleep(300);
        Surface picture;
        written = capture(dialog, picture) && picture.writeTga32(argv[2], 0);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!written) std::fprintf(stderr, "dialog_picture: no picture of the dialog\n");
    return written ? 0 : 1;
}
