#pragma once

#include <windows.h>

#include "engine/character_list.h"
#include "engine/generation_settings.h"
#include "engine/page_layout.h"

// The program-wide state of the font tool. The main thread writes it while
// no run is in progress; during a run only the worker touches it, while the
// modal progress window keeps the main thread from changing anything.
extern GenerationSettings generationSettings;
extern CharacterList characterList;
extern WorkTables workTables;
extern HINSTANCE programInstance;

// Shows a refusal or failure in the font tool's way: caption "Error" and the
// stop icon. `owner` may be null.
void showError(HWND owner, const char* message);

// The message for a character the font gives no bitmap for, owned by
// `owner`; returns when the user has closed it.
void showEmptyGlyphMessage(HWND owner);
