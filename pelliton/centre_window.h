#pragma once

// Moves the main window to the centre of the desktop work area (never off
// its top or left edge). Warns when the window cannot be moved; it then
// stays where it was.
void CentreWindow();
