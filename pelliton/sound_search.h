#pragma once

#include "pelliton/browser_state.h"

// The folder combo box offers the subfolders of the start folder; the file
// list shows the sound files of the folder chosen there. Nothing is searched
// deeper than that one level.

// Fills `browser.folderTable` with the plain directories of the start
// folder ("." and ".." included; other attribute bits, such as hidden or
// read-only, leave a directory out). Stops with a message after the 101st.
void SearchFolders();

// Adds the folders found, less the first two ("." and ".."), to the combo
// box, which sorts them, and selects the first.
void FillFolderBox();

// Reads the combo box selection into `folderName` and `folderPath` and fills
// `browser.fileTable` with the folder's entries that are not plain
// directories. Stops with a message after the 201st, whatever its type.
void SearchFiles();

// Adds the names in `browser.fileTable` that end in .wav, .mp3, .mid or
// .ogg, in any letter case, to the list box, which sorts them.
void FillFileList();

// Empties both controls and searches everything again (button 更新).
void RefreshAll();

// Empties the file list and fills it from the newly chosen folder.
void ChangeFolder();

// Sets `selectedName`, `selectedPath` and `soundType` from the list box
// selection. Returns false, after telling the user, when the full path does
// not fit in MAX_PATH; nothing may then be played or saved, so
// `selectedPath` is emptied and `soundType` is None. With no selection the
// name is empty and the type stays as it was.
bool ResolveSelection();

// The type that the last four characters of `name` give, compared without
// regard to letter case; None when they name no sound file.
SoundType SoundTypeOfName(const char* name);
