// Pelliton_ogg: a sound browser. It offers the subfolders of the folder it
// is started in, lists their WAV, MP3, MIDI and Ogg Vorbis files, plays a
// file as soon as it is selected and saves copies of it.

#include <windows.h>

#include "pelliton/browser_state.h"
#include "pelliton/main_window.h"
#include "pelliton/popup_menu.h"

namespace {

HFONT CreateDialogFont() {
    return CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_STROKE_PRECIS,
                       CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_SWISS, "ＭＳ Ｐゴシック");
}

// Tab and Shift+Tab move between the controls, as in a dialog.
void RunMessageLoop() {
    MSG message;
    BOOL result;
    while ((result = GetMessageA(&message, nullptr, 0, 0)) != 0 && result != -1) {
        if (!IsDialogMessageA(browser.mainWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    browser.dialogFont.reset(CreateDialogFont());
    browser.backgroundBrush.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    CreatePopupMenus();
    if (RegisterMainWindowClass(instance) && CreateMainWindow(instance) != nullptr) {
        RunMessageLoop();
    }
    return 0;
}
