#include "frontend/preview.h"

#include "engine/effects.h"
#include "engine/settings_check.h"
#include "frontend/display_surface.h"
#include "frontend/program_state.h"
#include "frontend/resource.h"
#include "frontend_core/preview_image.h"
#include "glyphs/glyph_drawing.h"

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
