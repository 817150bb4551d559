#include "pelliton/sound_search.h"

#include <windows.h>

#include <cstring>

#include "pelliton/resource.h"

namespace {

HWND FolderBox() {
    return GetDlgItem(browser.mainWindow, ID_FOLDERBOX);
}

HWND FileList() {
    return GetDlgItem(browser.mainWindow, ID_FILELIST);
}

// The messages that read the selection of a combo box or of a list box.
struct SelectionMessages {
    UINT getIndex;
    UINT getTextLength;
    UINT getText;
};

const SelectionMessages kComboBox = {CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT};
const SelectionMessages kListBox = {LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT};

// Stores the selected index in `browser.selectionIndex` and the selected
// item's text in `text`, which stays empty when nothing is selected.
void ReadSelection(HWND control, const SelectionMessages& messages, char (&text)[MAX_PATH]) {
    text[0] = '\0';
    browser.selectionIndex = static_cast<int32_t>(SendMessageA(control, messages.getIndex, 0, 0));
    if (browser.selectionIndex >= 0 &&
        SendMessageA(control, messages.getTextLength, browser.selectionIndex, 0) < MAX_PATH) {
        SendMessageA(control, messages.getText, browser.selectionIndex, reinterpret_cast<LPARAM>(text));
    }
}

// Runs the directory search of `browser.searchPattern`, storing into `table`
// the names of the entries whose attribute test `wanted` passes. Only a
// plain directory has the attributes FILE_ATTRIBUTE_DIRECTORY exactly.
// Stops with `tooMany` once more than `limit` names are stored.
template <size_t Slots>
void CollectEntries(char (&table)[Slots][MAX_PATH], bool wantDirectories, const char* tooMany) {
    constexpr int limit = static_cast<int>(Slots) - 1;
    browser.entryCount = 0;
    browser.findHandle.reset(FindFirstFileA(browser.searchPattern.c_str(), &browser.findRecord));
    if (!browser.findHandle) {
        return;
    }
    do {
        const bool plainDirectory = browser.findRecord.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY;
        if (plainDirectory != wantDirectories) {
            continue;
        }
        lstrcpynA(table[browser.entryCount], browser.findRecord.cFileName, MAX_PATH);
        ++browser.entryCount;
        if (browser.entryCount > limit) {
            WarnUser(tooMany);
            break;
        }
    } while (FindNextFileA(browser.findHandle.get(), &browser.findRecord));
    browser.findHandle.reset();
}

template <size_t Slots>
void EmptyTable(char (&table)[Slots][MAX_PATH]) {
    for (auto& name : table) {
        name[0] = '\0';
    }
}

struct Extension {
    const char* text;
    SoundType type;
};

const Extension kExtensions[] = {
    {".wav", SoundType::Wav},
    {".mp3", SoundType::Mp3},
    {".mid", SoundType::Mid},
    {".ogg", SoundType::Ogg},
};

}  // namespace

SoundType SoundTypeOfName(const char* name) {
    const size_t length = std::strlen(name);
    char ending[5];
    lstrcpynA(ending, name + (length > 4 ? length - 4 : 0), sizeof ending);
    CharLowerA(ending);
    for (const Extension& extension : kExtensions) {
        if (std::strcmp(ending, extension.text) == 0) {
            return extension.type;
        }
    }
    return SoundType::None;
}

void SearchFolders() {
    browser.searchPattern = std::string(browser.startFolder) + "\\*";
    CollectEntries(browser.folderTable, true, "検索するフォルダが多すぎます。");
}

void FillFolderBox() {
    for (int index = 2; index < browser.entryCount; ++index) {
        SendMessageA(FolderBox(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(browser.folderTable[index]));
    }
    SendMessageA(FolderBox(), CB_SETCURSEL, 0, 0);
    EmptyTable(browser.folderTable);
}

void SearchFiles() {
    ReadSelection(FolderBox(), kComboBox, browser.folderName);
    browser.folderPath = std::string(browser.startFolder) + "\\" + browser.folderName + "\\";
    browser.searchPattern = browser.folderPath + "*";
    CollectEntries(browser.fileTable, false, "検索するファイルが多すぎます。");
}

void FillFileList() {
    for (int index = 0; index < browser.entryCount; ++index) {
        if (SoundTypeOfName(browser.fileTable[index]) != SoundType::None) {
            SendMessageA(FileList(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(browser.fileTable[index]));
        }
    }
    EmptyTable(browser.fileTable);
}

void RefreshAll() {
    SendMessageA(FileList(), LB_RESETCONTENT, 0, 0);
    SendMessageA(FolderBox(), CB_RESETCONTENT, 0, 0);
    SearchFolders();
    FillFolderBox();
    SearchFiles();
    FillFileList();
}

void ChangeFolder() {
    SendMessageA(FileList(), LB_RESETCONTENT, 0, 0);
    SearchFiles();
    FillFileList();
}

bool ResolveSelection() {
    ReadSelection(FileList(), kListBox, browser.selectedName);
    const std::string path = browser.folderPath + browser.selectedName;
    if (path.size() >= sizeof browser.selectedPath) {
        WarnUser("選択したファイルへのパスが長すぎます。");
        browser.selectedPath[0] = '\0';
        browser.soundType = SoundType::None;
        return false;
    }
    lstrcpynA(browser.selectedPath, path.c_str(), sizeof browser.selectedPath);
    const SoundType type = SoundTypeOfName(browser.selectedName);
    if (type != SoundType::None) {
        browser.soundType = type;
    }
    return true;
}
