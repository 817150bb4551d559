// The main window, its controls and popup menu, the log option switch,
// help, the About box, the version resource, the start-up check for
// Vox.dll and shutdown.

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "pelliton/resource.h"
#include "tests/pelliton/browser_driver.h"

namespace {

const POINT kBackground = {86, 120};  // between the check box and the ♪ button
const POINT kOnFileList = {60, 60};

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string textOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(MainWindow, OpensCentredOnTheWorkAreaWithAFixedFrame) {
    TestFolders folders;
    Browser browser(folders);
    ASSERT_NE(browser.window(), nullptr);
    EXPECT_TRUE(browser.openBoxes().empty());

    EXPECT_EQ(textOf(browser.window()), "Pelliton");
    LONG style = GetWindowLongA(browser.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    RECT frame, workArea;
    GetWindowRect(browser.window(), &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_EQ(frame.right - frame.left, 184);
    EXPECT_EQ(frame.bottom - frame.top, 162);
    EXPECT_EQ(frame.left, static_cast<int>((workArea.left + workArea.right) / 2 - 184 / 2.0f));
    EXPECT_EQ(frame.top, static_cast<int>((workArea.top + workArea.bottom) / 2 - 162 / 2.0f));
}

TEST(MainWindow, HasItsSixControlsWithTheirTextsAndPlaces) {
    struct Expected {
        int id;
        const char* className;
        const char* text;
        int x, y, width;
    };
    const Expected controls[] = {
        {ID_FOLDERBOX, "combobox", "", 3, 4, 128}, {ID_REFRESH, "button", "更新", 134, 4, 40},
        {ID_FILELIST, "listbox", "", 3, 27, 172},  {ID_PLAY, "button", "♪", 90, 110, 40},
        {ID_SAVE, "button", "保存", 134, 110, 40}, {ID_LOGCHECK, "button", "ログ付保存", 5, 111, 78},
    };
    TestFolders folders;
    Browser browser(folders);
    HWND previous = nullptr;
    for (const Expected& expected : controls) {
        HWND control = browser.control(expected.id);
        ASSERT_NE(control, nullptr) << expected.id;
        char className[32] = "";
        GetClassNameA(control, className, sizeof className);
        EXPECT_EQ(lowerCase(className), expected.className);
        EXPECT_EQ(textOf(control), expected.text);
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, browser.window(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, expected.x) << expected.id;
        EXPECT_EQ(place.top, expected.y) << expected.id;
        EXPECT_EQ(place.right - place.left, expected.width) << expected.id;
        EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP);
        // Created in table order, so they follow one another in the tab order.
        EXPECT_EQ(GetWindow(control, GW_HWNDPREV), previous);
        previous = control;
    }
}

TEST(MainWindow, VersionResourceAndIconNameTheProduct) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string path = program;
    path = path.substr(0, path.find_last_of('\\')) + "\\Pelliton_ogg.exe";

    DWORD ignored;
    std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    auto value = [&](const char* name) {
        char* text = nullptr;
        UINT length = 0;
        std::string query = std::string("\\StringFileInfo\\041103a4\\") + name;
        return VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)
                   ? std::string(text)
                   : std::string("(missing)");
    };
    EXPECT_EQ(value("ProductName"), "Pelliton +OggVorbis版");
    EXPECT_EQ(value("FileDescription"), "サウンドビューア");
    EXPECT_EQ(value("Comments"), "サウンドビューア");
    EXPECT_EQ(value("FileVersion"), "1,0,0,0");
    EXPECT_EQ(value("ProductVersion"), "1,0,0,0");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);

    HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC group = FindResourceA(image, MAKEINTRESOURCEA(IDI_PELLITON), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    // One image: 32 x 32 pixels, 256 colours (8 bits a pixel).
    auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(image, group)));
    EXPECT_EQ(*reinterpret_cast<const WORD*>(directory + 4), 1);
    EXPECT_EQ(directory[6], 32);
    EXPECT_EQ(directory[7], 32);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(directory + 6 + 6), 8);
    FreeLibrary(image);
}

TEST(MainWindow, WarnsOnceWhenVoxDllIsNotInTheStartFolderAndStillPlaysOggVorbis) {
    TestFolders folders;
    folders.removeVoxDll();
    folders.addFile("music\\tone.ogg", readFileBytes(std::string(VOX_TEST_DATA) + "\\tone-stereo.ogg"));
    Browser browser(folders);
    std::optional<ShownBox> box = browser.answerBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Pelliton");
    EXPECT_EQ(box->text, "Vox.dllが見つかりません。");
    EXPECT_EQ(box->icon, BoxIcon::Warning);

    ASSERT_TRUE(browser.selectFile("tone.ogg"));
    EXPECT_TRUE(browser.openBoxes().empty());
    EXPECT_TRUE(eventually([&] { return browser.streamCount() == 1 && !browser.streams()[0].empty(); }));
}

TEST(MainWindow, LogOptionStartsOffAndCheckBoxAndMenuItemFlipItInStep) {
    TestFolders folders;
    Browser browser(folders);
    auto popupShowsMark = [&] {
        HWND popup = browser.rightClick(kBackground);
        bool mark = popup != nullptr && Browser::popupShowsCheckMark(popup);
        browser.dismissPopup(popup);
        return mark;
    };
    EXPECT_FALSE(browser.logChecked());
    EXPECT_FALSE(popupShowsMark());

    ASSERT_TRUE(browser.click(ID_LOGCHECK));
    EXPECT_TRUE(browser.logChecked());
    EXPECT_TRUE(popupShowsMark());

    // The menu item, chosen by its access key.
    ASSERT_NE(browser.rightClick(kBackground), nullptr);
    pressKey('L');
    ASSERT_TRUE(eventually([&] { return !browser.logChecked(); }));
    EXPECT_FALSE(popupShowsMark());

    ASSERT_TRUE(browser.choose(IDM_LOG));
    EXPECT_TRUE(browser.logChecked());
    ASSERT_TRUE(browser.click(ID_LOGCHECK));
    EXPECT_FALSE(browser.logChecked());
    EXPECT_FALSE(popupShowsMark());
}

TEST(MainWindow, RightClickOpensThePopupAtTheCursorOnTheBackgroundOnly) {
    TestFolders folders;
    Browser browser(folders);
    EXPECT_EQ(browser.rightClick(kOnFileList), nullptr);

    HWND popup = browser.rightClick(kBackground);
    ASSERT_NE(popup, nullptr);
    RECT place;
    GetWindowRect(popup, &place);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(place.left, cursor.x);
    EXPECT_EQ(place.top, cursor.y);
    browser.dismissPopup(popup);
}

TEST(MainWindow, ExitFromThePopupMenuEndsTheProgram) {
    TestFolders folders;
    Browser browser(folders);
    ASSERT_NE(browser.rightClick(kBackground), nullptr);
    pressKey('X');
    EXPECT_TRUE(eventually([&] { return !IsWindow(browser.window()); }));
    EXPECT_EQ(browser.close(), 0);
}

TEST(MainWindow, ClosingTheWindowWhileASoundPlaysEndsTheProgram) {
    TestFolders folders;
    folders.addFile("sounds\\long.wav", makeWav(20));
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("long.wav"));
    EXPECT_EQ(browser.close(), 0);
}

TEST(MainWindow, TabMovesTheFocusFromControlToControl) {
    TestFolders folders;
    folders.addFile("sounds\\a.wav", makeWav(0.1));
    Browser browser(folders);
    browser.activate();
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof focus;
    DWORD thread = GetWindowThreadProcessId(browser.window(), nullptr);
    auto focused = [&] {
        GetGUIThreadInfo(thread, &focus);
        return GetDlgCtrlID(focus.hwndFocus);
    };
    for (int next : {ID_FOLDERBOX, ID_REFRESH, ID_FILELIST, ID_PLAY, ID_SAVE, ID_LOGCHECK, ID_FOLDERBOX}) {
        pressKey(VK_TAB);
        EXPECT_TRUE(eventually([&] { return focused() == next; }, 2000)) << "expected " << next;
    }
}

TEST(MainWindow, HelpOpensReadMeOfTheStartFolder) {
    // Text files open in the system's text viewer, as on any Windows; Wine's
    // fresh prefixes lack the link from .txt to it.
    HKEY txt;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &txt, nullptr);
    RegSetValueExA(txt, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("txtfile"), sizeof "txtfile");
    RegCloseKey(txt);

    TestFolders folders;
    folders.addFile("read_me.txt", {'h', 'e', 'l', 'p'});
    Browser browser(folders);
    ASSERT_TRUE(browser.choose(IDM_HELP));
    // The system's text viewer shows it in a window named after the file.
    HWND viewer = nullptr;
    eventually([&] {
        EnumWindows(
            [](HWND window, LPARAM found) {
                if (IsWindowVisible(window) && textOf(window).find("read_me.txt") != std::string::npos) {
                    *reinterpret_cast<HWND*>(found) = window;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&viewer));
        return viewer != nullptr;
    });
    EXPECT_NE(viewer, nullptr);
    EXPECT_TRUE(browser.openBoxes().empty());
    if (viewer != nullptr) {
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        EXPECT_TRUE(eventually([&] { return !IsWindow(viewer); }));
    }
}

TEST(MainWindow, HelpWarnsWhenReadMeIsMissing) {
    TestFolders folders;
    Browser browser(folders);
    browser.chooseAndLeave(IDM_HELP);
    std::optional<ShownBox> box = browser.answerBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Pelliton");
    EXPECT_EQ(box->text, "ヘルプファイル read_me.txt が見つかりません。");
    EXPECT_EQ(box->icon, BoxIcon::Warning);
}

TEST(MainWindow, AboutShowsTheProductAndLibraryVersions) {
    TestFolders folders;
    Browser browser(folders);
    browser.chooseAndLeave(IDM_ABOUT);
    std::optional<ShownBox> box = browser.answerBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Pelliton");
    EXPECT_EQ(box->icon, BoxIcon::Information);
    std::vector<std::string> lines = linesOf(box->text);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Pelliton +OggVorbis版 Ver1.00");
    EXPECT_FALSE(lines[1].empty());
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Vox.dll Ver0.61");
    EXPECT_FALSE(lines[4].empty());
}

}  // namespace
