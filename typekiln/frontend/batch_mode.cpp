#include "batch_mode.h"

#include <cstdlib>

#include "display_surface.h"
#include "options.h"
#include "program_state.h"
#include "progress_window.h"
#include "settings_check.h"

namespace {

// The reason the current settings cannot run, or null.
const char* findRunProblem() {
    if (generationSettings.inputPath[0] == '\0') return "入力ファイル名が指定されていません";
    return findSettingsProblem(generationSettings);
}

}  // namespace

bool runBatchMode() {
    if (!DisplaySurface::open(GetDesktopWindow())) {
        DisplaySurface::close();
        showError(nullptr, "DirectDrawの初期化に失敗しました");
        return false;
    }
    parseOptions(generationSettings, __argc, __argv);
    bool succeeded = false;
    if (const char* problem = findRunProblem()) {
        showError(nullptr, problem);
    } else {
        succeeded = runWithProgressWindow(nullptr);
    }
    DisplaySurface::close();
    return succeeded;
}
