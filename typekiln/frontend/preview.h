#pragma once

#include <windows.h>

// The main dialog's preview: the sample character あ drawn with the current
// glyph settings by the rasteriser, effects and reduction a run uses,
// centred in the preview control over mid grey. Rendered only on request
// (opening, "更新", a loaded batch file); repaints show the last rendering.
// Settings that no run would draw (findDrawingProblem) render the grey area
// alone, without asking the rasteriser for a glyph.

// Makes the preview picture the size of `previewControl`'s window. Returns
// false when its pixels are not granted.
bool createPreviewPicture(HWND previewControl);

// Gives the preview picture's pixels back.
void releasePreviewPicture();

// Renders the sample character into the display surface and shows it in
// the dialog's preview control.
void renderPreview(HWND dialog);

// Shows the last rendering again, for the dialog's WM_PAINT.
void repaintPreview(HWND dialog);
