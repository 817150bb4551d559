#include <windows.h>

#include <cstdlib>

#include "batch_mode.h"
#include "program_state.h"

// Started with any argument the font tool runs one batch job and exits:
// 0 when the job wrote its files, 1 when it was refused or failed.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    setStartupSettings(generationSettings);
    programInstance = instance;
    if (!reserveWorkTables(workTables)) {
        showError(nullptr, "メモリが足りません");
        return 1;
    }

    bool succeeded = true;
    if (__argc < 2) {
        MessageBoxA(nullptr,
                    "この版にはダイアログ画面がありません\n"
                    "入力ファイルとオプションを指定してバッチモードで起動してください",
                    "Typekiln", MB_OK | MB_ICONINFORMATION);
    } else {
        succeeded = runBatchMode();
    }

    releaseWorkTables(workTables);
    return succeeded ? 0 : 1;
}
