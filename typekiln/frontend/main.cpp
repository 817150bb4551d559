#include <windows.h>

#include <cstdlib>

#include "engine/run_window.h"
#include "frontend/batch_mode.h"
#include "frontend/main_dialog.h"
#include "frontend/program_state.h"

// Started without arguments the font tool opens its main dialog and exits
// with 0 when the dialog is closed (1 when it could not open). Started with any argument it runs one
// batch job and exits: 0 when the job wrote its files, 1 when it was
// refused or failed.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    setStartupSettings(generationSettings);
    programInstance = instance;
    if (!reserveWorkTables(workTables)) {
        showError(nullptr, kNoMemoryMessage);
        return 1;
    }

    bool succeeded = true;
    if (__argc < 2) {
        succeeded = runMainDialog();
    } else {
        succeeded = runBatchMode();
    }

    releaseWorkTables(workTables);
    return succeeded ? 0 : 1;
}
