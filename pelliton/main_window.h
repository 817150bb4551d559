#pragma once

#include <windows.h>

// The main window "Pelliton" of class NORMAL0: a folder combo box, a file
// list, and the buttons 更新, ♪, 保存 and the check box ログ付保存; a right
// click on its background opens the popup menu.

// Registers the class NORMAL0 (icon 101, the background brush of `browser`).
// Returns false when registration fails.
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window; its WM_CREATE builds the controls, centres it,
// reads the start folder and fills the lists. Returns nullptr on failure.
HWND CreateMainWindow(HINSTANCE instance);
