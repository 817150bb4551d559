#include "frontend/file_dialogs.h"

#include <commdlg.h>

namespace {

// Filters are pairs of texts ended by an empty one.
const char kTextFilter[] = "TEXTファイル(*.txt)\0*.txt\0";
const char kBatchFilter[] = "BATファイル(*.bat)\0*.bat\0";

OPENFILENAMEA describeDialog(HWND owner, char* path, size_t size, const char* title, const char* filter,
                             const char* extension, DWORD flags) {
    path[0] = '\0';
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = static_cast<DWORD>(size);
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = extension;
    dialog.Flags = flags;
    return dialog;
}

constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

}  // namespace

bool askInputFile(HWND owner, char* path, size_t size) {
    OPENFILENAMEA dialog =
        describeDialog(owner, path, size, "テキストファイル読み込み", kTextFilter, "TXT", kOpenFlags);
    return GetOpenFileNameA(&dialog);
}

bool askBatchFileToSave(HWND owner, char* path, size_t size) {
    OPENFILENAMEA dialog = describeDialog(owner, path, size, "バッチファイル保存", kBatchFilter, "BAT",
                                          OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    return GetSaveFileNameA(&dialog);
}

bool askBatchFileToLoad(HWND owner, char* path, size_t size) {
    OPENFILENAMEA dialog =
        describeDialog(owner, path, size, "バッチファイル読込", kBatchFilter, "BAT", kOpenFlags);
    return GetOpenFileNameA(&dialog);
}
