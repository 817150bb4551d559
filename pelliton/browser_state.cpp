#include "pelliton/browser_state.h"

BrowserState browser;

void WarnUser(const char* text) {
    MessageBoxA(browser.mainWindow, text, "Pelliton", MB_OK | MB_ICONWARNING);
}
