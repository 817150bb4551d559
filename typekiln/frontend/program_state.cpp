#include "frontend/program_state.h"

GenerationSettings generationSettings;
CharacterList characterList;
WorkTables workTables;
HINSTANCE programInstance;

void showError(HWND owner, const char* message) {
    MessageBoxA(owner, message, "Error", MB_OK | MB_ICONSTOP);
}

void showEmptyGlyphMessage(HWND owner) {
    MessageBoxA(owner, "ERROR Failed GetFontBuffer", "Error", MB_OK | MB_ICONERROR);
}
