// Typekiln.exe started without arguments and used as a person would: its
// dialog on screen, its file dialogs, its colour picker, a run, and the
// exit code when it is closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frontend/resource.h"
#include "tests/gui_driver/gui_driver.h"
#include "tests/test_files/test_files.h"

namespace {

const char kTitle[] = "Typekiln Version 1.0.8";

class TypekilnDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.started());
        ASSERT_TRUE(eventually([&] {
            dialog = program.findWindow("#32770", kTitle);
            return dialog && IsWindowVisible(dialog);
        }));
        settle(dialog);
    }

    std::string text(int id) const { return controlText(dialog, id); }

    // Clicks a button whose handler opens a dialog, and waits for that one.
    HWND openDialogWith(int buttonId, const char* caption) {
        pressButton(dialog, buttonId);
        return program.waitForDialog(caption);
    }

    // What the screen shows inside the preview control's frame.
    std::vector<COLORREF> previewOnScreen() const {
        RECT area;
        GetWindowRect(GetDlgItem(dialog, IDC_PREVIEW), &area);
        InflateRect(&area, -1, -1);
        waitUntilDrawn(dialog);
        return capturePixels(area);
    }

    int closeAndWaitForExit() {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        const std::optional<DWORD> code = program.waitForExit(10000);
        return code ? static_cast<int>(*code) : -1;
    }

    TemporaryFolder folder;
    RunningProgram program{"\"" + besideTests("Typekiln.exe") + "\"", folder.path()};
    HWND dialog = nullptr;
};

}  // namespace

TEST_F(TypekilnDialog, OpensWithThePreviewOnScreenAndClosingItExitsWithZero) {
    const std::vector<COLORREF> preview = previewOnScreen();
    const COLORREF grey = RGB(128, 128, 128);
    EXPECT_EQ(preview.front(), grey);
    EXPECT_EQ(preview.back(), grey);
    EXPECT_NE(std::count(preview.begin(), preview.end(), RGB(255, 255, 255)), 0);  // the white あ
    EXPECT_TRUE(program.openBoxes().empty());
    EXPECT_EQ(closeAndWaitForExit(), 0);
}

TEST_F(TypekilnDialog, PicksTheListRunsSavesAndLoadsThroughItsFileDialogs) {
    writeFileBytes(folder.file("chars.txt"), "あいうABC");
    HWND picker = openDialogWith(IDC_BROWSE_INPUT, "テキストファイル読み込み");
    ASSERT_NE(picker, nullptr);
    submitFileDialog(picker, folder.file("chars.txt"));
    ASSERT_TRUE(eventually([&] { return !text(IDC_INPUT_PATH).empty(); }));
    EXPECT_EQ(_stricmp(text(IDC_INPUT_PATH).c_str(), folder.file("chars.txt").c_str()), 0);

    pressButton(dialog, IDC_CREATE);
    ASSERT_TRUE(eventually([&] { return fileExists(folder.file("font.gfd")); }, 30000));
    ASSERT_TRUE(eventually([&] { return IsWindowEnabled(dialog) != FALSE; }));
    EXPECT_TRUE(fileExists(folder.file("font_00.tga")));
    EXPECT_TRUE(program.openBoxes().empty());  // a finished run says nothing

    HWND saver = openDialogWith(IDC_SAVE_BATCH, "バッチファイル保存");
    ASSERT_NE(saver, nullptr);
    submitFileDialog(saver, folder.file("settings.bat"));
    ASSERT_TRUE(eventually([&] { return fileExists(folder.file("settings.bat")); }));
    settle(dialog);
    const std::vector<uint8_t> line = readFileBytes(folder.file("settings.bat"));
    EXPECT_EQ(std::string(line.begin(), line.end()),
              "Typekiln chars.txt /out,\"font\" /format,2 /width,1 /height,1 /sample,1 /aspect,1.0,1.0 "
              "/face,\"ＭＳ ゴシック\" /size,26 /color,255,255,255 ");

    SetDlgItemTextA(dialog, IDC_FONT_SIZE, "40");
    HWND loader = openDialogWith(IDC_LOAD_BATCH, "バッチファイル読込");
    ASSERT_NE(loader, nullptr);
    submitFileDialog(loader, folder.file("settings.bat"));
    EXPECT_TRUE(eventually([&] { return text(IDC_FONT_SIZE) == "26"; }));
    EXPECT_EQ(text(IDC_ASPECT_X), "1.0");
    EXPECT_EQ(closeAndWaitForExit(), 0);
}

TEST_F(TypekilnDialog, TheColourPickerSetsTheGlyphColourThePreviewShows) {
    // The colour dialog is the program's only other window with a Red field.
    pressButton(dialog, IDC_COLOUR);
    HWND picker = nullptr;
    ASSERT_TRUE(eventually([&] {
        for (HWND window : topLevelWindows(program.processId(), "#32770"))
            if (window != dialog && IsWindowVisible(window) && GetDlgItem(window, 706)) picker = window;
        return picker != nullptr;
    }));
    const int fields[] = {706, 707, 708};  // red, green, blue
    const char* values[] = {"200", "40", "10"};
    for (int i = 0; i < 3; ++i) SetDlgItemTextA(picker, fields[i], values[i]);
    pressButton(picker, IDOK);
    ASSERT_TRUE(waitUntilGone(picker));
    settle(dialog);

    pressButton(dialog, IDC_REFRESH_PREVIEW);
    settle(dialog);
    const std::vector<COLORREF> preview = previewOnScreen();
    EXPECT_EQ(std::count(preview.begin(), preview.end(), RGB(255, 255, 255)), 0);
    EXPECT_NE(std::count(preview.begin(), preview.end(), RGB(200, 40, 10)), 0);
    EXPECT_EQ(closeAndWaitForExit(), 0);
}
