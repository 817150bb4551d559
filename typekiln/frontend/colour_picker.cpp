#include "frontend/colour_picker.h"

#include <commdlg.h>

namespace {

COLORREF customColours[16];

}  // namespace

bool pickColour(HWND owner, uint32_t& colour) {
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    // The top byte means nothing to the settings, but in a COLORREF it would
    // ask for a palette entry.
    choice.rgbResult = colour & 0x00FFFFFF;
    choice.lpCustColors = customColours;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&choice)) return false;
    colour = choice.rgbResult;
    return true;
}
