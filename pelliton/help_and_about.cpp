#include "pelliton/help_and_about.h"

#include <windows.h>

#include <shellapi.h>

#include "pelliton/browser_state.h"

void OpenHelp() {
    char helpPath[MAX_PATH + sizeof "\\read_me.txt"];
    wsprintfA(helpPath, "%s\\read_me.txt", browser.startFolder);
    HINSTANCE result = ShellExecuteA(browser.mainWindow, "open", helpPath, nullptr, nullptr, SW_SHOWDEFAULT);
    if (reinterpret_cast<INT_PTR>(result) == ERROR_FILE_NOT_FOUND) {
        WarnUser("ヘルプファイル read_me.txt が見つかりません。");
    }
}

void ShowAbout() {
    MessageBoxA(browser.mainWindow,
                "Pelliton +OggVorbis版 Ver1.00\n"
                "(C) 2026 Pelliton の作者たち\n"
                "\n"
                "Vox.dll Ver0.61\n"
                "Ogg Vorbis の復号に Xiph.Org Foundation の libogg と libvorbis を使っています",
                "Pelliton", MB_OK | MB_ICONINFORMATION);
}
