#include "frontend/batch_mode.h"

#include "engine/options.h"
#include "frontend/display_surface.h"
#include "frontend/program_state.h"
#include "frontend/progress_window.h"
#include "frontend_core/run_checks.h"

bool runBatchMode() {
    if (!DisplaySurface::open(GetDesktopWindow())) {
        DisplaySurface::close();
        showError(nullptr, DisplaySurface::kOpenFailure);
        return false;
    }
    parseOptions(generationSettings, __argc, __argv);
    bool succeeded = false;
    if (const char* problem = findBatchRunProblem(generationSettings)) {
        showError(nullptr, problem);
    } else {
        succeeded = runWithProgressWindow(nullptr);
    }
    DisplaySurface::close();
    return succeeded;
}
