#include "pelliton/centre_window.h"

#include <windows.h>

#include "pelliton/browser_state.h"

void CentreWindow() {
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    browser.centrePoint.x = static_cast<LONG>((workArea.left + workArea.right) / 2.0f);
    browser.centrePoint.y = static_cast<LONG>((workArea.top + workArea.bottom) / 2.0f);

    RECT frame;
    GetWindowRect(browser.mainWindow, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x = static_cast<int>(browser.centrePoint.x - width / 2.0f);
    int y = static_cast<int>(browser.centrePoint.y - height / 2.0f);
    if (x < 0) {
        x = 0;
    }
    if (y < 0) {
        y = 0;
    }
    if (!MoveWindow(browser.mainWindow, x, y, width, height, TRUE)) {
        WarnUser("ウィンドウの配置に失敗しました。");
    }
}
