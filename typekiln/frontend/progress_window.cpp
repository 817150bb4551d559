#include "frontend/progress_window.h"

#include <commctrl.h>
#include <process.h>

#include "engine/font_generator.h"
#include "frontend/program_state.h"
#include "frontend/resource.h"
#include "frontend_core/run_checks.h"
#include "glyphs/glyph_drawing.h"
#include "win32/owners.h"

namespace {

// Posted by the worker when the run is over; wParam is true when it succeeded.
constexpr UINT WM_RUN_FINISHED = WM_APP + 1;
constexpr INT_PTR kRunSucceeded = 2;
constexpr INT_PTR kRunFailed = 3;

HWND windowOf(void* handle) {
    return static_cast<HWND>(handle);
}

// The run's thread; the main thread waits for it to end before it goes on.
KernelHandle workerThread;

void reportEmptyGlyph(void* handle, const char*) {
    showEmptyGlyphMessage(windowOf(handle));
}

// Every move of the bar repaints it at once, which costs as much as drawing
// a glyph, so the bar moves in steps of at least 1/200 of its range: no
// coarser than its width in pixels shows. Only the worker touches these.
constexpr int32_t kProgressSteps = 200;
int32_t progressTotal = 0;
int32_t progressDone = 0;
int32_t progressStep = 1;

void setProgressRange(void* handle, int32_t count) {
    progressTotal = count;
    progressDone = 0;
    progressStep = count / kProgressSteps > 1 ? count / kProgressSteps : 1;
    SendDlgItemMessageA(windowOf(handle), IDC_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, count));
    SendDlgItemMessageA(windowOf(handle), IDC_PROGRESS, PBM_SETSTEP, progressStep, 0);
}

void stepProgress(void* handle) {
    ++progressDone;
    if (progressDone == progressTotal) {
        SendDlgItemMessageA(windowOf(handle), IDC_PROGRESS, PBM_SETPOS, progressDone, 0);
    } else if (progressDone % progressStep == 0) {
        SendDlgItemMessageA(windowOf(handle), IDC_PROGRESS, PBM_STEPIT, 0, 0);
    }
}

// The bar counts glyphs; writing the pages shows nothing more.
void reportPageWritten(void*, int32_t) {}

void reportFailure(void* handle, const char* message) {
    showError(windowOf(handle), message);
}

// The worker thread: everything the run does happens here, so that the
// progress window keeps painting. Posting the end of the run is the last
// thing it does with the window.
unsigned __stdcall generationWorker(void* argument) {
    HWND window = static_cast<HWND>(argument);
    bool succeeded = false;
    if (!characterList.load(generationSettings.inputPath)) {
        showError(window, kInputUnreadableMessage);
    } else {
        // Glyphs are drawn on as many threads as the machine has processors.
        const RunWindow runWindow = {window,
                                     0,
                                     openRunDrawer,
                                     closeRunDrawer,
                                     drawRunGlyph,
                                     reportEmptyGlyph,
                                     setProgressRange,
                                     stepProgress,
                                     reportPageWritten,
                                     reportFailure};
        succeeded = FontGenerator::run(runWindow, generationSettings, characterList, workTables);
    }
    // The dialog is ended on its own thread, where its modal loop runs.
    PostMessageA(window, WM_RUN_FINISHED, succeeded, 0);
    return 0;
}

INT_PTR CALLBACK progressWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            workerThread.reset(
                reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, generationWorker, window, 0, nullptr)));
            if (!workerThread) {
                showError(window, "作成を開始できません");
                EndDialog(window, kRunFailed);
            }
            return TRUE;
        case WM_RUN_FINISHED:
            EndDialog(window, wParam ? kRunSucceeded : kRunFailed);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

bool runWithProgressWindow(HWND owner) {
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    const INT_PTR result = DialogBoxParamA(programInstance, MAKEINTRESOURCEA(IDD_DIALOG_PROGRESS), owner,
                                           progressWindowProcedure, 0);
    // The window closes when the worker has posted its last message; the
    // worker is not done until its thread has ended, and the program must
    // not go on (or exit) under it.
    if (workerThread) {
        WaitForSingleObject(workerThread.get(), INFINITE);
        workerThread.reset();
    }
    return result == kRunSucceeded;
}
