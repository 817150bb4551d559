#include "pelliton/main_window.h"

#include "pelliton/browser_state.h"
#include "pelliton/centre_window.h"
#include "pelliton/help_and_about.h"
#include "pelliton/log_option.h"
#include "pelliton/playback.h"
#include "pelliton/popup_menu.h"
#include "pelliton/resource.h"
#include "pelliton/save_copy.h"
#include "pelliton/sound_search.h"
#include "vox/vox.h"

namespace {

const char kClassName[] = "NORMAL0";

struct ControlLayout {
    int id;
    const char* className;
    const char* text;
    DWORD extendedStyle;
    DWORD style;
    int x, y, width, height;
};

constexpr DWORD kControl = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

// The six controls in creation (and so tab) order; client pixels. The combo
// box height includes its drop-down list.
const ControlLayout kControls[] = {
    {ID_FOLDERBOX, "COMBOBOX", "", 0, kControl | WS_VSCROLL | CBS_SORT | CBS_DROPDOWNLIST, 3, 4, 128, 131},
    {ID_REFRESH, "BUTTON", "更新", 0, kControl | BS_PUSHBUTTON, 134, 4, 40, 20},
    {ID_FILELIST, "LISTBOX", "", WS_EX_CLIENTEDGE, kControl | WS_VSCROLL | LBS_SORT | LBS_NOTIFY, 3, 27, 172,
     80},
    {ID_PLAY, "BUTTON", "♪", 0, kControl | BS_PUSHBUTTON, 90, 110, 40, 20},
    {ID_SAVE, "BUTTON", "保存", 0, kControl | BS_PUSHBUTTON, 134, 110, 40, 20},
    {ID_LOGCHECK, "BUTTON", "ログ付保存", 0, kControl | BS_AUTOCHECKBOX, 5, 111, 78, 18},
};

void CreateControls(HWND window) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    for (const ControlLayout& control : kControls) {
        HWND created =
            CreateWindowExA(control.extendedStyle, control.className, control.text, control.style, control.x,
                            control.y, control.width, control.height, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(browser.dialogFont.get()), FALSE);
    }
}

// Warns when Vox.dll is not in the start folder. The program already runs,
// so the library was found elsewhere on the search path; playback works.
void CheckLibraryInStartFolder() {
    char libraryPath[MAX_PATH + sizeof "\\Vox.DLL"];
    wsprintfA(libraryPath, "%s\\Vox.DLL", browser.startFolder);
    const SearchHandle search(FindFirstFileA(libraryPath, &browser.findRecord));
    if (!search) {
        WarnUser("Vox.dllが見つかりません。");
    }
}

void OnCreate(HWND window) {
    browser.mainWindow = window;
    CreateControls(window);
    CentreWindow();
    GetCurrentDirectoryA(MAX_PATH, browser.startFolder);
    CheckLibraryInStartFolder();
    // The controls are still empty, so nothing is cleared first.
    SearchFolders();
    FillFolderBox();
    SearchFiles();
    FillFileList();
    ResetLogOption();
}

// Controls count only with the notification that the command table names;
// menu items whatever the high word holds.
void OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    const bool clicked = HIWORD(wParam) == BN_CLICKED;
    switch (id) {
        case ID_FOLDERBOX:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                ChangeFolder();
            }
            break;
        case ID_FILELIST:
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                RequestPlay();
            } else if (HIWORD(wParam) == LBN_DBLCLK) {
                SaveCopy();
            }
            break;
        case ID_REFRESH:
            if (clicked) {
                RefreshAll();
            }
            break;
        case ID_PLAY:
            if (clicked) {
                RequestPlay();
            }
            break;
        case ID_SAVE:
            if (clicked) {
                SaveCopy();
            }
            break;
        case ID_LOGCHECK:
            if (clicked) {
                ToggleLogOption();
            }
            break;
        case IDM_REFRESH:
            RefreshAll();
            break;
        case IDM_PLAY:
            RequestPlay();
            break;
        case IDM_SAVE:
            SaveCopy();
            break;
        case IDM_LOG:
            ToggleLogOption();
            break;
        case IDM_HELP:
            OpenHelp();
            break;
        case IDM_ABOUT:
            ShowAbout();
            break;
        case IDM_EXIT:
            DestroyWindow(browser.mainWindow);
            break;
    }
}

void OnDestroy() {
    CloseDeviceAtExit();
    VoxDelete(browser.voxHandle);
    DestroyPopupMenus();
    browser.dialogFont.reset();
    browser.backgroundBrush.reset();
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate(window);
            return 0;
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_RBUTTONDOWN:
            ShowPopupMenu();
            return 0;
        case MM_MCINOTIFY:
            OnMciNotify(wParam, lParam);
            return 0;
        case WM_CLOSE:
            DestroyWindow(browser.mainWindow);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PELLITON));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = browser.backgroundBrush.get();
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
    // Fixed size: a caption with system menu and minimise box, no frame to drag.
    return CreateWindowExA(0, kClassName, "Pelliton", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           CW_USEDEFAULT, CW_USEDEFAULT, 184, 162, nullptr, nullptr, instance, nullptr);
}
