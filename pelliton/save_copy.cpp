#include "save_copy.h"

#include <windows.h>

#include <commdlg.h>

#include "browser_state.h"
#include "playback.h"

namespace {

// Date and time each fit in this many characters, their NUL included.
constexpr int kStampChars = 15;

const char* DefaultExtension(SoundType type) {
    switch (type) {
        case SoundType::Wav:
            return "wav";
        case SoundType::Mp3:
            return "mp3";
        case SoundType::Mid:
            return "mid";
        default:
            return "ogg";
    }
}

// Asks for the target; on TRUE `browser.selectedName` holds its full path.
bool AskForTarget() {
    static const char kFilter[] =
        "サウンドファイル(*.wav;*.mid;*.mp3;*.ogg)\0*.wav;*.mid;*.mp3;*.ogg;*.OGG\0"
        "すべてのファイル(*.*)\0*\0";
    OPENFILENAMEA dialog = {};
    // The structure without the places-bar members, as the program has
    // always asked for it.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = browser.mainWindow;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = browser.selectedName;
    dialog.nMaxFile = sizeof browser.selectedName;
    dialog.lpstrTitle = "ファイルの保存";
    // No overwrite prompt: saving over a file replaces it.
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog.lpstrDefExt = DefaultExtension(browser.soundType);
    return GetSaveFileNameA(&dialog) == TRUE;
}

// The date in the user's short format, the time in the locale's own format,
// "Copied from " and the source path; one line without a line end.
void WriteLog(const char* copyPath) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[kStampChars] = "";
    char time[kStampChars] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, kStampChars);
    GetTimeFormatA(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, &now, nullptr, time, kStampChars);

    char logPath[MAX_PATH + sizeof ".txt"];
    wsprintfA(logPath, "%s.txt", copyPath);
    HANDLE log = CreateFileA(logPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        WarnUser("ログファイルの作成に失敗しました。");
        return;
    }
    char line[2 * kStampChars + sizeof "  Copied from " + MAX_PATH];
    const int length = wsprintfA(line, "%s %s Copied from %s", date, time, browser.selectedPath);
    DWORD written;
    WriteFile(log, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(log);
}

}  // namespace

void SaveCopy() {
    if (!SilenceForSelection() || browser.soundType == SoundType::None || !AskForTarget()) {
        return;
    }
    if (!CopyFileA(browser.selectedPath, browser.selectedName, FALSE)) {
        WarnUser("ファイルのコピーに失敗しました。");
        return;
    }
    if (browser.logOption == 1) {
        WriteLog(browser.selectedName);
    }
}
