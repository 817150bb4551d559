#pragma once

#include <windows.h>

// The font tool's main dialog, IDD_DIALOG_MAIN: every control edits one
// setting of the program's GenerationSettings, and its buttons start a run,
// pick the input file and the colours, save and load batch files, and
// refresh the preview.

// Opens the dialog modally, without owner, and returns when the user has
// closed it: true, or false when it could not open (its display surface
// failed, which it has said).
bool runMainDialog();

// The dialog's procedure, for DialogBoxParamA and CreateDialogParamA. It
// ends the dialog with result 2 when it is closed, or at once with result 3
// when its display surface cannot be opened.
INT_PTR CALLBACK mainDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
