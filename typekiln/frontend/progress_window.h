#pragma once

#include <windows.h>

// Performs one generation run with the current settings: opens the modal
// progress window over `owner` (the screen's top-left corner when null),
// whose worker thread loads the character list and runs the generator while
// the bar counts the characters. Returns when the window has closed and the
// worker thread has ended: true when the run wrote its files; a refused or
// failed run has shown its reason.
bool runWithProgressWindow(HWND owner);
