#include "preview.h"

#include "display_surface.h"
#include "effects.h"
#include "glyph_drawing.h"
#include "preview_image.h"
#include "program_state.h"
#include "resource.h"
#include "settings_check.h"

namespace {

const char kSampleCharacter[] = "あ";

Surface previewPicture;

}  // namespace

bool createPreviewPicture(HWND previewControl) {
    RECT outer;
    GetWindowRect(previewControl, &outer);
    return previewPicture.create(outer.right - outer.left, outer.bottom - outer.top);
}

void releasePreviewPicture() {
    previewPicture.release();
}

void renderPreview(HWND dialog) {
    Surface glyph;
    GlyphOptions& options = generationSettings.glyphOptions;
    if (!findDrawingProblem(generationSettings)) {
        const char* problem = nullptr;
        const GlyphOutcome outcome = rasterizeGlyph(glyph, options, kSampleCharacter, &problem);
        if (problem) {
            showError(dialog, problem);
        } else if (outcome == GlyphOutcome::Empty) {
            showEmptyGlyphMessage(dialog);
        }
        reduceSamples(glyph, options);
    }
    centreInPicture(previewPicture, glyph);
    DisplaySurface::compose(previewPicture);
    glyph.release();
    repaintPreview(dialog);
}

void repaintPreview(HWND dialog) {
    // The control then repaints only its frame, over the picture's
    // outermost pixels.
    HWND control = GetDlgItem(dialog, IDC_PREVIEW);
    DisplaySurface::show(control);
    InvalidateRect(control, nullptr, FALSE);
}
