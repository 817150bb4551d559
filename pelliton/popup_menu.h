#pragma once

// The right-click menu: 更新, ♪, 保存, ログ付保存, ヘルプ, バージョン情報 and
// 終了, each sending its IDM_ command to the main window.

// Creates `browser.popupMenu` and `browser.menuHolder`, whose one item
// carries the popup; ログ付保存 starts with its check mark set.
void CreatePopupMenus();

// Opens the popup at the cursor (a right click on the window background).
void ShowPopupMenu();

// Destroys the holder and, with it, the popup it carries.
void DestroyPopupMenus();
