#pragma once

#include <windows.h>

// The main dialog's setting controls: each edits one value of the program's
// GenerationSettings, and the dialog keeps no copy of its own.

// Fills the choice lists in their fixed order: the face list from
// FaceNames, the extrusion directions, the page widths and heights, and the
// page formats.
void fillChoiceLists(HWND dialog);

// How the scale boxes show their values.
enum class ScaleText {
    TwoPlaces,  // "1.00": as the dialog opens
    Shortest,   // the batch line's form, "1.26": after a batch file is loaded
};

// Shows every setting in its control: texts and numbers in the boxes, flags
// in the check boxes, and in each list the entry that holds the setting's
// value (a list with no such entry keeps its selection). The boxes report
// the change, so the settings then hold what the boxes show.
void showSettings(HWND dialog, ScaleText scales);

// Takes the setting of control `id` from the control, as a change
// notification asks. A list with no entry selected (text typed into it)
// leaves its setting as it was; a sampling count below 1 becomes 1. The
// colour buttons open the colour picker. Returns false when `id` is not a
// setting control.
bool takeSettingFrom(HWND dialog, int id);
