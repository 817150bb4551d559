#include "pelliton/save_copy.h"

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "pelliton/browser_state.h"
#include "pelliton/playback.h"

namespace {

using StampFormatter = decltype(&GetDateFormatA);  // GetTimeFormatA has the same form

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

// Formats `now` with GetDateFormatA or GetTimeFormatA into a buffer of the
// size the formatter asks for: a user's date format may name the weekday
// or the era, and run to any length. False when either call fails.
bool FormatStamp(StampFormatter format, DWORD flags, const SYSTEMTIME& now, std::string& stamp) {
    const int size = format(LOCALE_USER_DEFAULT, flags, &now, nullptr, nullptr, 0);
    if (size <= 0) {
        return false;
    }
    stamp.assign(static_cast<size_t>(size), '\0');
    const int written = format(LOCALE_USER_DEFAULT, flags, &now, nullptr, &stamp[0], size);
    if (written <= 0) {
        return false;
    }
    stamp.resize(static_cast<size_t>(written) - 1);  // the NUL
    return true;
}

// The date in the user's short format, the time in the locale's own format,
// "Copied from " and the source path; one line without a line end. A stamp
// that cannot be formatted leaves no log at all rather than a garbled one.
void WriteLog(const char* copyPath) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string date;
    std::string time;
    if (!FormatStamp(GetDateFormatA, DATE_SHORTDATE, now, date) ||
        !FormatStamp(GetTimeFormatA, LOCALE_NOUSEROVERRIDE, now, time)) {
        WarnUser("ログファイルの作成に失敗しました。");
        return;
    }

    const std::string logPath = std::string(copyPath) + ".txt";
    const KernelHandle log(CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) {
        WarnUser("ログファイルの作成に失敗しました。");
        return;
    }
    const std::string line = date + " " + time + " Copied from " + browser.selectedPath;
    DWORD written;
    WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
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
