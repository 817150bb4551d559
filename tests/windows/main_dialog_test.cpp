// The main dialog, created in-process from the program's own resources and
// driven with the messages its controls send, as a person's typing and
// clicking would send them.
#include "frontend/main_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/effects.h"
#include "engine/options.h"
#include "frontend/batch_file.h"
#include "frontend/face_names.h"
#include "frontend/program_state.h"
#include "frontend/resource.h"
#include "frontend_core/preview_image.h"
#include "glyphs/glyph_drawing.h"
#include "tests/gui_driver/gui_driver.h"
#include "tests/test_files/test_files.h"
#include "win32/owners.h"

namespace {

class MainDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        programInstance = GetModuleHandleA(nullptr);
        ASSERT_TRUE(reserveWorkTables(workTables));
    }
    static void TearDownTestSuite() { releaseWorkTables(workTables); }

    void SetUp() override {
        setStartupSettings(generationSettings);
        dialog = CreateDialogParamA(programInstance, MAKEINTRESOURCEA(IDD_DIALOG_MAIN), nullptr,
                                    mainDialogProcedure, 0);
        ASSERT_NE(dialog, nullptr);
        pumpMessages();
    }
    void TearDown() override {
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        DestroyWindow(dialog);
    }

    // Lets the dialog and its controls paint, as they would while waiting.
    static void pumpMessages() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }

    void type(int id, const char* text) { SetDlgItemTextA(dialog, id, text); }
    std::string text(int id) const { return controlText(dialog, id); }
    void click(int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }
    bool ticked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    // Picks a list entry as a click in the list does.
    void choose(int id, int entry) {
        SendDlgItemMessageA(dialog, id, CB_SETCURSEL, entry, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(GetDlgItem(dialog, id)));
    }
    int chosen(int id) const { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }
    std::vector<std::string> entries(int id) const { return comboBoxItems(GetDlgItem(dialog, id)); }

    // The preview control's pixels (0xRRGGBB) inside its one-pixel frame,
    // as the dialog's window holds them.
    std::vector<uint32_t> previewPixels() const {
        HWND control = GetDlgItem(dialog, IDC_PREVIEW);
        RECT area;
        GetWindowRect(control, &area);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
        std::vector<uint32_t> pixels;
        // The dialog clips its controls out of its own device context: this
        // one sees what they show too.
        const WindowDc dc(dialog, DCX_CACHE);
        for (LONG y = area.top + 1; y < area.bottom - 1; ++y)
            for (LONG x = area.left + 1; x < area.right - 1; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
        return pixels;
    }

    // The preview the settings should give, computed apart from the dialog.
    std::vector<uint32_t> expectedPreview() const {
        RECT outer;
        GetWindowRect(GetDlgItem(dialog, IDC_PREVIEW), &outer);
        const int width = outer.right - outer.left, height = outer.bottom - outer.top;
        GlyphOptions options = generationSettings.glyphOptions;
        Surface glyph, picture;
        const char* problem = nullptr;
        rasterizeGlyph(glyph, options, "あ", &problem);
        reduceSamples(glyph, options);
        picture.create(width, height);
        centreInPicture(picture, glyph);
        std::vector<uint8_t> display(width * height * 4);
        composeOverGrey(picture, {display.data(), width * 4, width, height});
        std::vector<uint32_t> pixels;
        for (int y = 1; y < height - 1; ++y) {
            for (int x = 1; x < width - 1; ++x) {
                const uint8_t* p = &display[(y * width + x) * 4];
                pixels.push_back(RGB(p[2], p[1], p[0]));
            }
        }
        return pixels;
    }

    HWND dialog = nullptr;
    TemporaryFolder folder;
    // Runs and batch files enter the folders they use; the test's folder can
    // go only once it is left again.
    CurrentFolderScope stayHere{folder.path()};
};

const uint32_t kGrey = RGB(128, 128, 128);

}  // namespace

TEST_F(MainDialog, OpensCentredWithItsTitleTheStartupSettingsAndTheListsInOrder) {
    char title[64] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Typekiln Version 1.0.8");
    RECT outer;
    GetWindowRect(dialog, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

    EXPECT_EQ(text(IDC_INPUT_PATH), "");
    EXPECT_EQ(text(IDC_OUT_NAME), "font");
    EXPECT_EQ(text(IDC_FONT_SIZE), "26");
    EXPECT_EQ(text(IDC_SAMPLE), "1");
    EXPECT_EQ(text(IDC_ASPECT_X), "1.00");
    EXPECT_EQ(text(IDC_ASPECT_Y), "1.00");
    EXPECT_EQ(text(IDC_EDGE_SIZE), "0");
    EXPECT_EQ(text(IDC_BEVEL_SIZE), "0");
    for (int id : {IDC_EDGE_ON, IDC_BEVEL_ON, IDC_BOLD, IDC_ITALIC, IDC_FIX_PITCH}) EXPECT_FALSE(ticked(id));

    EXPECT_EQ(entries(IDC_BEVEL_DIRECTION),
              (std::vector<std::string>{"左上", "右上", "左下", "右下", "上", "下", "左", "右"}));
    EXPECT_EQ(chosen(IDC_BEVEL_DIRECTION), 0);
    EXPECT_EQ(generationSettings.glyphOptions.bevelDirection, 7);
    const std::vector<std::string> sizes = {"128", "256", "512", "1024", "2048"};
    EXPECT_EQ(entries(IDC_PAGE_WIDTH), sizes);
    EXPECT_EQ(entries(IDC_PAGE_HEIGHT), sizes);
    EXPECT_EQ(entries(IDC_PAGE_FORMAT), (std::vector<std::string>{"bmp(4bit)", "bmp(8bit)", "tga(32bit)"}));
    EXPECT_EQ(chosen(IDC_PAGE_WIDTH), 1);
    EXPECT_EQ(chosen(IDC_PAGE_HEIGHT), 1);
    EXPECT_EQ(chosen(IDC_PAGE_FORMAT), 2);
}

TEST_F(MainDialog, FaceListHoldsTheSystemsShiftJisFacesInItsOrderWithoutVerticalOnes) {
    std::vector<std::string> expected;
    LOGFONTA wanted = {};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    const WindowDc screen(nullptr);
    EnumFontFamiliesExA(
        screen.get(), &wanted,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) -> int {
            if (font->lfFaceName[0] != '@')
                reinterpret_cast<std::vector<std::string>*>(names)->push_back(font->lfFaceName);
            return 1;
        },
        LPARAM(&expected), 0);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(entries(IDC_FACE), expected);

    // The prefix lists the standard Japanese names, as a Japanese Windows does.
    const auto startupFace = std::find(expected.begin(), expected.end(), "ＭＳ ゴシック");
    ASSERT_NE(startupFace, expected.end());
    EXPECT_EQ(chosen(IDC_FACE), startupFace - expected.begin());
}

TEST_F(MainDialog, EveryControlWritesItsSetting) {
    const GenerationSettings& s = generationSettings;
    const GlyphOptions& g = s.glyphOptions;
    type(IDC_INPUT_PATH, "C:\\Work\\Chars.TXT");
    type(IDC_OUT_NAME, "Kiln");
    type(IDC_FONT_SIZE, "40");
    type(IDC_EDGE_SIZE, "3");
    type(IDC_BEVEL_SIZE, "2");
    type(IDC_SAMPLE, "4");
    type(IDC_ASPECT_X, "1.26");
    type(IDC_ASPECT_Y, "0.5");
    for (int id : {IDC_EDGE_ON, IDC_BEVEL_ON, IDC_BOLD, IDC_ITALIC, IDC_FIX_PITCH}) click(id);
    choose(IDC_BEVEL_DIRECTION, 3);
    choose(IDC_PAGE_WIDTH, 4);
    choose(IDC_PAGE_HEIGHT, 0);
    choose(IDC_PAGE_FORMAT, 1);
    choose(IDC_FACE, 0);

    EXPECT_STREQ(s.inputPath, "c:\\work\\chars.txt");  // the name boxes take lower case
    EXPECT_STREQ(s.outName, "kiln");
    EXPECT_EQ(g.size, 40);
    EXPECT_EQ(g.edgeSize, 3);
    EXPECT_EQ(g.bevelSize, 2);
    EXPECT_EQ(g.sample, 4);
    EXPECT_EQ(g.aspectX, 1.26f);
    EXPECT_EQ(g.aspectY, 0.5f);
    EXPECT_EQ(g.edgeOn + g.bevelOn + g.bold + g.italic + g.fixPitch, 5);
    EXPECT_EQ(g.bevelDirection, 3);  // "右下"
    EXPECT_EQ(s.pageWidthIndex, 4);
    EXPECT_EQ(s.pageHeightIndex, 0);
    EXPECT_EQ(s.pageFormat, 1);
    EXPECT_STREQ(g.face, FaceNames::at(0));
    click(IDC_BOLD);
    EXPECT_EQ(g.bold, 0);
}

TEST_F(MainDialog, ASamplingCountBelowOneBecomesOne) {
    for (const char* typed : {"0", ""}) {
        type(IDC_SAMPLE, typed);
        EXPECT_EQ(text(IDC_SAMPLE), "1") << typed;
        EXPECT_EQ(generationSettings.glyphOptions.sample, 1) << typed;
    }
}

TEST_F(MainDialog, TextTypedIntoAListKeepsTheSettingItHeld) {
    choose(IDC_PAGE_WIDTH, 3);
    choose(IDC_BEVEL_DIRECTION, 5);
    const std::string face = generationSettings.glyphOptions.face;
    for (int id : {IDC_PAGE_WIDTH, IDC_BEVEL_DIRECTION, IDC_FACE, IDC_PAGE_FORMAT}) {
        HWND edit = GetWindow(GetDlgItem(dialog, id), GW_CHILD);
        for (char c : std::string("99")) SendMessageA(edit, WM_CHAR, c, 0);
        EXPECT_EQ(chosen(id), -1) << id;
    }
    EXPECT_EQ(generationSettings.pageWidthIndex, 3);
    EXPECT_EQ(generationSettings.glyphOptions.bevelDirection, 2);
    EXPECT_EQ(generationSettings.glyphOptions.face, face);
    EXPECT_EQ(generationSettings.pageFormat, 2);
}

TEST_F(MainDialog, SavedBatchFilesLoadBackEverySettingAndScalesKeepTheirDigits) {
    type(IDC_OUT_NAME, "kiln");
    type(IDC_FONT_SIZE, "40");
    type(IDC_SAMPLE, "3");
    type(IDC_ASPECT_X, "1.26");
    type(IDC_ASPECT_Y, "0.8");
    type(IDC_EDGE_SIZE, "2");
    type(IDC_BEVEL_SIZE, "1");
    for (int id : {IDC_EDGE_ON, IDC_BEVEL_ON, IDC_ITALIC}) click(id);
    choose(IDC_BEVEL_DIRECTION, 6);
    choose(IDC_PAGE_WIDTH, 3);
    choose(IDC_PAGE_FORMAT, 0);
    generationSettings.glyphOptions.color = 0x00102030;
    generationSettings.glyphOptions.edgeColor = 0x00405060;
    std::strcpy(generationSettings.inputPath, "C:\\elsewhere\\chars.txt");
    const GenerationSettings saved = generationSettings;
    const std::string batch = folder.file("settings.bat");
    ASSERT_TRUE(writeBatchFile(batch.c_str()));

    setStartupSettings(generationSettings);
    ASSERT_TRUE(readBatchFile(dialog, batch.c_str()));
    const GenerationSettings& loaded = generationSettings;
    // The list names the input file without its folder: it is taken from
    // the batch file's folder.
    EXPECT_EQ(_stricmp(loaded.inputPath, folder.file("chars.txt").c_str()), 0) << loaded.inputPath;
    EXPECT_EQ(text(IDC_INPUT_PATH), loaded.inputPath);
    EXPECT_STREQ(loaded.outName, "kiln");
    EXPECT_EQ(std::memcmp(&loaded.pageWidthIndex, &saved.pageWidthIndex, 3 * sizeof(int32_t)), 0);
    EXPECT_EQ(std::memcmp(&loaded.glyphOptions, &saved.glyphOptions, offsetof(GlyphOptions, color)), 0);
    EXPECT_EQ(loaded.glyphOptions.color & 0xFFFFFF, 0x102030u);
    EXPECT_EQ(loaded.glyphOptions.edgeColor & 0xFFFFFF, 0x405060u);
    EXPECT_EQ(text(IDC_ASPECT_X), "1.26");
    EXPECT_EQ(text(IDC_ASPECT_Y), "0.8");
    EXPECT_EQ(text(IDC_SAMPLE), "3");
    EXPECT_TRUE(ticked(IDC_EDGE_ON) && ticked(IDC_BEVEL_ON) && ticked(IDC_ITALIC));
    EXPECT_FALSE(ticked(IDC_BOLD));
    EXPECT_EQ(chosen(IDC_BEVEL_DIRECTION), 6);
    EXPECT_EQ(chosen(IDC_PAGE_WIDTH), 3);
    EXPECT_EQ(chosen(IDC_PAGE_FORMAT), 0);
}

TEST_F(MainDialog, LoadingZeroesTheGlyphSettingsBeforeApplyingTheFile) {
    click(IDC_EDGE_ON);
    click(IDC_BOLD);
    choose(IDC_BEVEL_DIRECTION, 3);
    choose(IDC_PAGE_HEIGHT, 4);
    const int face = chosen(IDC_FACE);
    writeFileBytes(folder.file("short.bat"), "Typekiln chars.txt /size,30 /aspect,1.5,2 ");
    writeFileBytes(folder.file("empty.bat"), "");

    ASSERT_TRUE(readBatchFile(dialog, folder.file("short.bat").c_str()));
    const GlyphOptions& g = generationSettings.glyphOptions;
    EXPECT_EQ(g.size, 30);
    EXPECT_STREQ(g.face, "");  // no /face: empty, and the list keeps its entry
    EXPECT_EQ(chosen(IDC_FACE), face);
    EXPECT_EQ(g.sample, 1);  // no /sample: 0, raised by its box
    EXPECT_FALSE(ticked(IDC_EDGE_ON) || ticked(IDC_BOLD));
    EXPECT_EQ(g.edgeOn + g.bold + g.edgeColor + g.color, 0u);
    EXPECT_EQ(g.bevelDirection, 0);  // matches no entry: the list keeps "右下"
    EXPECT_EQ(chosen(IDC_BEVEL_DIRECTION), 3);
    EXPECT_EQ(text(IDC_ASPECT_X), "1.5");
    EXPECT_EQ(text(IDC_ASPECT_Y), "2.0");
    EXPECT_EQ(generationSettings.pageHeightIndex, 4);  // page settings are not reset
    EXPECT_STREQ(generationSettings.outName, "font");

    EXPECT_FALSE(readBatchFile(dialog, folder.file("empty.bat").c_str()));
    EXPECT_FALSE(readBatchFile(dialog, folder.file("missing.bat").c_str()));
    EXPECT_EQ(g.size, 30);
}

TEST_F(MainDialog, CreateRefusesInTheChecksOrderAndThenRunsSilently) {
    writeFileBytes(folder.file("chars.txt"), "あいA");
    struct Attempt {
        const char* outName;
        std::string input;
        const char* size;
        const char* message;  // nullptr: the run takes place
    };
    const Attempt attempts[] = {
        {"", "", "26", "データ名が入力されていません"},
        {"abcdefghijklmnopq", "", "26", "データ名が長すぎます\n半角16文字までです"},
        {"kiln", "", "26", "入力ファイル名が指定されていません"},
        {"kiln", folder.file("chars.txt"), "0", "サイズは1以上にしてください"},
        {"kiln", folder.file("missing.txt"), "26", "入力ファイルが開けません"},
        {"kiln", folder.file("chars.txt"), "26", nullptr},
    };
    for (const Attempt& attempt : attempts) {
        type(IDC_OUT_NAME, attempt.outName);
        type(IDC_INPUT_PATH, attempt.input.c_str());
        type(IDC_FONT_SIZE, attempt.size);
        MessageBoxAnswerer answerer;
        click(IDC_CREATE);
        const std::vector<ShownBox> boxes = answerer.stop();
        if (attempt.message) {
            ASSERT_EQ(boxes.size(), 1u) << attempt.message;
            EXPECT_EQ(boxes[0].caption, "Error");
            EXPECT_EQ(boxes[0].icon, BoxIcon::Error);
            EXPECT_EQ(boxes[0].text, attempt.message);
            EXPECT_FALSE(fileExists(folder.file("kiln.gfd"))) << attempt.message;
        } else {
            EXPECT_TRUE(boxes.empty());
            EXPECT_TRUE(fileExists(folder.file("kiln.gfd")));
            EXPECT_TRUE(fileExists(folder.file("kiln_00.tga")));
        }
    }
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

TEST_F(MainDialog, PreviewShowsTheSampleCentredOverGreyWithTheSettingsOfItsLastRendering) {
    const std::vector<uint32_t> opening = previewPixels();
    EXPECT_EQ(opening, expectedPreview());
    EXPECT_NE(opening, std::vector<uint32_t>(opening.size(), kGrey));

    type(IDC_FONT_SIZE, "100");
    type(IDC_SAMPLE, "2");
    type(IDC_EDGE_SIZE, "3");
    click(IDC_EDGE_ON);
    generationSettings.glyphOptions.edgeColor = 0x000000FF;
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(previewPixels(), opening);  // changes and repaints do not render

    click(IDC_REFRESH_PREVIEW);
    const std::vector<uint32_t> large = previewPixels();
    EXPECT_EQ(large, expectedPreview());  // larger than the area: cut on every side
    EXPECT_NE(large, opening);
}

TEST_F(MainDialog, SettingsNoRunWouldDrawLeaveThePreviewPlainGrey) {
    type(IDC_FONT_SIZE, "2000");  // rows taller than a 256-pixel page
    click(IDC_REFRESH_PREVIEW);
    const std::vector<uint32_t> grey(previewPixels().size(), kGrey);
    EXPECT_EQ(previewPixels(), grey);
    type(IDC_FONT_SIZE, "26");
    type(IDC_ASPECT_X, "0");
    click(IDC_REFRESH_PREVIEW);
    EXPECT_EQ(previewPixels(), grey);
}

TEST_F(MainDialog, EscapeDoesNothingAndClosingEndsTheDialog) {
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog));
}
