#include "frontend/main_dialog.h"

#include <cstring>

#include "engine/shift_jis.h"
#include "frontend/batch_file.h"
#include "frontend/dialog_settings.h"
#include "frontend/display_surface.h"
#include "frontend/face_names.h"
#include "frontend/file_dialogs.h"
#include "frontend/preview.h"
#include "frontend/program_state.h"
#include "frontend/progress_window.h"
#include "frontend/resource.h"
#include "frontend_core/run_checks.h"
#include "win32/owners.h"

namespace {

constexpr INT_PTR kDialogClosed = 2;
constexpr INT_PTR kDialogFailed = 3;
const char kTitle[] = "Typekiln Version 1.0.8";

void centreOnScreen(HWND dialog) {
    RECT outer;
    GetWindowRect(dialog, &outer);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

BOOL onInitDialog(HWND dialog) {
    HWND previewControl = GetDlgItem(dialog, IDC_PREVIEW);
    if (!DisplaySurface::open(previewControl)) {
        DisplaySurface::close();
        showError(nullptr, DisplaySurface::kOpenFailure);
        EndDialog(dialog, kDialogFailed);
        return FALSE;
    }
    createPreviewPicture(previewControl);
    {
        WindowDc dc(dialog);
        FaceNames::load(dc.get());
    }
    SetWindowTextA(dialog, kTitle);
    centreOnScreen(dialog);
    // The direction list opens on its first entry, "左上".
    generationSettings.glyphOptions.bevelDirection = bevelDirectionCodes[0].code;
    fillChoiceLists(dialog);
    showSettings(dialog, ScaleText::TwoPlaces);
    renderPreview(dialog);
    return FALSE;  // no initial keyboard focus
}

void pickInputFile(HWND dialog) {
    char path[kFileDialogPathBytes];
    if (!askInputFile(dialog, path, sizeof path)) return;
    copyText(generationSettings.inputPath, sizeof generationSettings.inputPath, path, std::strlen(path));
    SetDlgItemTextA(dialog, IDC_INPUT_PATH, generationSettings.inputPath);
}

void startRun(HWND dialog) {
    if (const char* problem = findDialogRunProblem(generationSettings)) {
        showError(dialog, problem);
        return;
    }
    // A finished run says nothing; a failed one has said why.
    runWithProgressWindow(dialog);
}

void onCommand(HWND dialog, int id) {
    if (takeSettingFrom(dialog, id)) return;
    switch (id) {
        case IDC_BROWSE_INPUT:
            pickInputFile(dialog);
            break;
        case IDC_CREATE:
            startRun(dialog);
            break;
        case IDC_SAVE_BATCH:
            saveBatchFile(dialog);
            break;
        case IDC_LOAD_BATCH:
            loadBatchFile(dialog);
            break;
        case IDC_REFRESH_PREVIEW:
            renderPreview(dialog);
            break;
        default:
            break;  // Escape and the other standard commands do nothing
    }
}

void onClose(HWND dialog) {
    releasePreviewPicture();
    DisplaySurface::close();
    FaceNames::release();
    EndDialog(dialog, kDialogClosed);
}

}  // namespace

INT_PTR CALLBACK mainDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return onInitDialog(dialog);
        case WM_COMMAND:
            onCommand(dialog, LOWORD(wParam));
            return TRUE;
        case WM_PAINT:
            repaintPreview(dialog);
            return FALSE;  // the dialog paints itself as usual
        case WM_CLOSE:
            onClose(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

bool runMainDialog() {
    return DialogBoxParamA(programInstance, MAKEINTRESOURCEA(IDD_DIALOG_MAIN), nullptr, mainDialogProcedure,
                           0) == kDialogClosed;
}
