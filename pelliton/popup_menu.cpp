#include "pelliton/popup_menu.h"

#include <windows.h>

#include <iterator>

#include "pelliton/browser_state.h"
#include "pelliton/resource.h"

namespace {

struct MenuItem {
    UINT id;  // 0 for a separator
    const char* text;
    UINT state;
};

const MenuItem kItems[] = {
    {IDM_REFRESH, "更新(&R)", 0},
    {IDM_PLAY, "♪(&P)", 0},
    {IDM_SAVE, "保存(&C)", 0},
    {IDM_LOG, "ログ付保存(&L)", MFS_CHECKED},  // cleared when the window is created
    {0, nullptr, 0},
    {IDM_HELP, "ヘルプ(&H)", 0},
    {IDM_ABOUT, "バージョン情報(&A)", 0},
    {0, nullptr, 0},
    {IDM_EXIT, "終了(&X)", 0},
};

void InsertAtTop(HMENU menu, const MenuItem& item) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    if (item.id == 0) {
        info.fMask = MIIM_TYPE;
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE;
        info.fType = MFT_STRING;
        info.fState = item.state;
        info.wID = item.id;
        info.dwTypeData = const_cast<char*>(item.text);
    }
    InsertMenuItemA(menu, 0, TRUE, &info);
}

}  // namespace

void CreatePopupMenus() {
    browser.menuHolder.reset(CreateMenu());
    browser.popupMenu = CreatePopupMenu();
    // Each item goes in at the top, so the table is walked bottom-up.
    for (auto item = std::rbegin(kItems); item != std::rend(kItems); ++item) {
        InsertAtTop(browser.popupMenu, *item);
    }
    MENUITEMINFOA holderItem = {};
    holderItem.cbSize = sizeof holderItem;
    holderItem.fMask = MIIM_TYPE | MIIM_SUBMENU;
    holderItem.fType = MFT_STRING;
    holderItem.hSubMenu = browser.popupMenu;
    holderItem.dwTypeData = const_cast<char*>("Pelliton");
    InsertMenuItemA(browser.menuHolder.get(), 0, TRUE, &holderItem);
}

void ShowPopupMenu() {
    POINT cursor;
    GetCursorPos(&cursor);
    TrackPopupMenu(GetSubMenu(browser.menuHolder.get(), 0), 0, cursor.x, cursor.y, 0, browser.mainWindow,
                   nullptr);
}

void DestroyPopupMenus() {
    browser.menuHolder.reset();
    browser.popupMenu = nullptr;
}
