#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>
#include <string>

#include "win32/owners.h"

// The sound browser's whole state: one record, `browser`, zero at start,
// read and written only by the window's thread.

// Type of the selected file, as its extension names it.
enum class SoundType : uint8_t { None = 0, Wav = 1, Mp3 = 2, Mid = 3, Ogg = 4 };

// Entries a directory search keeps. One more slot than the limit: the entry
// that goes over it is kept when the search stops with a message.
constexpr int kMaxFolders = 100;
constexpr int kMaxFiles = 200;

struct BrowserState {
    HWND mainWindow;
    GdiObject<HFONT> dialogFont;        // font of all six controls
    GdiObject<HBRUSH> backgroundBrush;  // COLOR_BTNFACE, the window class background
    MenuHandle menuHolder;              // never shown: its one item carries popupMenu
    HMENU popupMenu;                    // the right-click menu, destroyed with menuHolder

    char startFolder[MAX_PATH];  // current directory at start-up
    WIN32_FIND_DATAA findRecord;
    SearchHandle findHandle;
    std::string searchPattern;
    int32_t entryCount;  // names the last search stored
    char folderTable[kMaxFolders + 1][MAX_PATH];
    char fileTable[kMaxFiles + 1][MAX_PATH];

    int32_t selectionIndex;       // last index read from the list box or combo box
    char folderName[MAX_PATH];    // selected folder
    char selectedName[MAX_PATH];  // selected file; also the save dialog's name buffer
    std::string folderPath;       // startFolder\folderName\ (ends in a backslash)
    char selectedPath[MAX_PATH];  // folderPath + selectedName
    SoundType soundType;
    uint8_t voxHandle;  // current Vox.dll sound; 0 before the first

    HWND logCheckBox;
    MENUITEMINFOA logMenuState;  // sets the check mark of IDM_LOG
    uint8_t logOption;           // 1: write a log beside each saved copy

    POINT centrePoint;        // centre of the desktop work area
    MCI_OPEN_PARMSA mciOpen;  // wDeviceID: the open MCI device, 0 when none
};

extern BrowserState browser;

// Shows `text` in the browser's message box for problems: owner the main
// window, caption "Pelliton", warning icon, OK button.
void WarnUser(const char* text);
