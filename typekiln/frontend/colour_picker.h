#pragma once

#include <windows.h>

#include <cstdint>

// Lets the user pick `colour` (a packed colour) in the system's colour
// dialog, owned by `owner`, with the current colour preselected and the
// custom colours shown. The 16 custom colours live as long as the program,
// apart from the settings. On confirmation `colour` takes the chosen colour
// (red in the low byte, top byte 0) and the result is true; on cancel it is
// unchanged and the result false.
bool pickColour(HWND owner, uint32_t& colour);
