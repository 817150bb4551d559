#include "pelliton/log_option.h"

#include <windows.h>

#include "pelliton/browser_state.h"
#include "pelliton/resource.h"

namespace {

void SetMenuCheck(UINT state) {
    browser.logMenuState.fState = state;
    // Found by command inside the popup that the holder carries.
    SetMenuItemInfoA(browser.menuHolder.get(), IDM_LOG, FALSE, &browser.logMenuState);
}

}  // namespace

void ResetLogOption() {
    browser.logOption = 0;
    browser.logCheckBox = GetDlgItem(browser.mainWindow, ID_LOGCHECK);
    browser.logMenuState = {};
    browser.logMenuState.cbSize = sizeof browser.logMenuState;
    browser.logMenuState.fMask = MIIM_STATE;
    SetMenuCheck(0);
}

void ToggleLogOption() {
    const bool turnOn = browser.logOption == 0;
    SendMessageA(browser.logCheckBox, BM_SETCHECK, turnOn ? BST_CHECKED : BST_UNCHECKED, 0);
    SetMenuCheck(turnOn ? MFS_CHECKED : 0);
    browser.logOption = turnOn ? 1 : 0;
}
