#include "batch_mode.h"

#include "display_surface.h"
#include "options.h"
#include "program_state.h"
#include "progress_window.h"
#include "run_checks.h"

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
