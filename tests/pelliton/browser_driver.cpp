#include "browser_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "resource.h"

namespace {

constexpr DWORD kHandlerTimeoutMs = 15000;
// Controls of the common file dialogs.
constexpr int kFileNameBox = 0x47C;  // cmb13
constexpr int kFileTypeBox = 0x470;  // cmb1

std::string folderOfThisProgram() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

void removeTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

void makeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

// Reads the text of item `index` of a list or combo box of another process.
// Such messages come back as UTF-16 across processes; the program's own
// code page is 932.
std::string itemText(HWND control, UINT getLength, UINT getText, int index) {
    LRESULT length = SendMessageW(control, getLength, index, 0);
    if (length < 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(control, getText, index, reinterpret_cast<LPARAM>(wide.data()));
    char text[4 * MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::vector<std::string> itemTexts(HWND control, UINT getCount, UINT getLength, UINT getText) {
    std::vector<std::string> items;
    LRESULT count = SendMessageA(control, getCount, 0, 0);
    for (int index = 0; index < count; ++index) {
        items.push_back(itemText(control, getLength, getText, index));
    }
    return items;
}

int indexOf(const std::vector<std::string>& items, const std::string& name) {
    auto found = std::find(items.begin(), items.end(), name);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

bool sendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kHandlerTimeoutMs, &result) != 0;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;  // nullptr: any
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    char title[256] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (owner == wanted->processId && std::string(className) == wanted->className &&
        (wanted->title == nullptr || std::string(title) == wanted->title)) {
        wanted->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> topLevelWindows(DWORD processId, const char* className, const char* title = nullptr) {
    WindowSearch search{processId, className, title, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

const char kSaveDialogTitle[] = "ファイルの保存";

bool isDark(COLORREF pixel) {
    return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 200;
}

// The warning icon is a yellow-orange triangle, the information icon a blue
// disc.
BoxIcon iconOf(HWND box) {
    HWND icon = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) {
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                *reinterpret_cast<HWND*>(found) = child;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&icon));
    RECT area;
    if (icon == nullptr || !GetWindowRect(icon, &area)) {
        return BoxIcon::None;
    }
    int yellow = 0;
    int blue = 0;
    for (COLORREF pixel : capturePixels(area)) {
        int red = GetRValue(pixel), green = GetGValue(pixel), bluePart = GetBValue(pixel);
        yellow += red > 180 && green > 100 && bluePart < 100 ? 1 : 0;
        blue += bluePart > 150 && red < 100 ? 1 : 0;
    }
    if (yellow > 20 && yellow > blue) {
        return BoxIcon::Warning;
    }
    return blue > 20 ? BoxIcon::Information : BoxIcon::None;
}

ShownBox readBox(HWND box) {
    char caption[256] = "";
    char text[1024] = "";
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return {caption, text, iconOf(box)};
}

bool isMessageBox(HWND window) {
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    return IsWindowVisible(window) && std::string(caption) != kSaveDialogTitle;
}

}  // namespace

std::vector<COLORREF> capturePixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int i = 0; i < width * height; ++i) {
        DWORD bgrx = static_cast<const DWORD*>(bits)[i];
        pixels.push_back(RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF));
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

void pressKey(WORD virtualKey) {
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = virtualKey;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

bool eventually(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10)) {
        if (condition()) {
            return true;
        }
    }
    return condition();
}

Bytes readFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool fileIsHeldOpen(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

Bytes makeWav(double seconds, int rate) {
    const uint32_t frames = static_cast<uint32_t>(seconds * rate);
    const uint32_t dataBytes = frames * 2;
    Bytes wav;
    auto put = [&wav](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            wav.push_back(static_cast<unsigned char>(value >> (8 * i)));
        }
    };
    auto tag = [&wav](const char* text) {
        for (int i = 0; i < 4; ++i) {
            wav.push_back(static_cast<unsigned char>(text[i]));
        }
    };
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(WAVE_FORMAT_PCM, 2);
    put(1, 2);  // mono
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    tag("data");
    put(dataBytes, 4);
    for (uint32_t frame = 0; frame < frames; ++frame) {
        auto sample = static_cast<int16_t>(8000 * std::sin(2 * 3.14159265358979 * 441 * frame / rate));
        put(static_cast<uint16_t>(sample), 2);
    }
    return wav;
}

Bytes samplesOfWav(const Bytes& wav) {
    constexpr size_t kHeaderBytes = 44;
    return Bytes(wav.begin() + kHeaderBytes, wav.end());
}

TestFolders::TestFolders()
    : TestFolders(std::string(testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) +
                  "." + testing::UnitTest::GetInstance()->current_test_info()->name()) {}

TestFolders::TestFolders(const std::string& name) {
    char workingFolder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, workingFolder);
    root_ = std::string(workingFolder) + "\\" + name;
    removeTree(root_);
    makeFolders(start());
    makeFolders(elsewhere());
    makeFolders(sink());
    CopyFileA((folderOfThisProgram() + "\\Vox.dll").c_str(), (start() + "\\Vox.dll").c_str(), FALSE);
}

void TestFolders::addFolder(const std::string& relative) {
    makeFolders(start() + "\\" + relative);
}

std::string TestFolders::addFile(const std::string& relative, const Bytes& bytes) {
    std::string path = start() + "\\" + relative;
    makeFolders(path.substr(0, path.find_last_of('\\')));
    writeFileBytes(path, bytes);
    return path;
}

void TestFolders::removeVoxDll() {
    DeleteFileA((start() + "\\Vox.dll").c_str());
}

Browser::Browser(const TestFolders& folders) : sink_(folders.sink()) {
    const std::string program = folderOfThisProgram() + "\\Pelliton_ogg.exe";
    char commandLine[] = "Pelliton_ogg.exe";
    // The browser, and what it starts (the text viewer of the help item),
    // get nothing of the test's output: ctest waits until every holder of
    // its pipes has gone.
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE nothing = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nothing;
    const BOOL started = CreateProcessA(program.c_str(), commandLine, nullptr, nullptr, TRUE, 0, nullptr,
                                        folders.start().c_str(), &startup, &process_);
    CloseHandle(nothing);
    if (!started) {
        ADD_FAILURE() << "cannot start " << program;
        return;
    }
    // Ready when the window is up, or a box stopped its creation half way.
    WaitForInputIdle(process_.hProcess, kHandlerTimeoutMs);
    eventually([&] { return (window() != nullptr && IsWindowVisible(window())) || !openBoxes().empty(); });
}

Browser::~Browser() {
    if (process_.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        for (const ShownBox& box : openBoxes()) {
            ADD_FAILURE() << "box left open: " << box.caption << ": " << box.text;
        }
        // Every test ends with the way out a user takes, so that shutdown
        // runs each time too.
        if (close() == -1) {
            ADD_FAILURE() << "the browser did not end when its window was closed";
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, kHandlerTimeoutMs);
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u) << "the browser ended with code " << std::hex << code;
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND Browser::findTopLevel(const char* className, const char* title) const {
    std::vector<HWND> found = topLevelWindows(process_.dwProcessId, className, title);
    return found.empty() ? nullptr : found.front();
}

HWND Browser::window() const {
    if (window_ == nullptr) {
        window_ = findTopLevel("NORMAL0", nullptr);
    }
    return window_;
}

HWND Browser::control(int id) const {
    return GetDlgItem(window(), id);
}

std::vector<std::string> Browser::folderItems() const {
    return itemTexts(control(ID_FOLDERBOX), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::string> Browser::fileItems() const {
    return itemTexts(control(ID_FILELIST), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int Browser::selectedFolder() const {
    return static_cast<int>(SendMessageA(control(ID_FOLDERBOX), CB_GETCURSEL, 0, 0));
}

int Browser::selectedFile() const {
    return static_cast<int>(SendMessageA(control(ID_FILELIST), LB_GETCURSEL, 0, 0));
}

bool Browser::logChecked() const {
    return SendMessageA(control(ID_LOGCHECK), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Browser::pick(int controlId, UINT setSelection, WORD notification, int index, bool wait) {
    if (index < 0) {
        return false;
    }
    HWND from = control(controlId);
    SendMessageA(from, setSelection, index, 0);
    const WPARAM command = MAKEWPARAM(controlId, notification);
    if (!wait) {
        return PostMessageA(window(), WM_COMMAND, command, reinterpret_cast<LPARAM>(from)) != 0;
    }
    return sendAndWait(window(), WM_COMMAND, command, reinterpret_cast<LPARAM>(from));
}

bool Browser::selectFolder(const std::string& name) {
    return pick(ID_FOLDERBOX, CB_SETCURSEL, CBN_SELCHANGE, indexOf(folderItems(), name), true);
}

bool Browser::selectFile(const std::string& name) {
    return pick(ID_FILELIST, LB_SETCURSEL, LBN_SELCHANGE, indexOf(fileItems(), name), true);
}

void Browser::selectFileAndLeave(const std::string& name) {
    pick(ID_FILELIST, LB_SETCURSEL, LBN_SELCHANGE, indexOf(fileItems(), name), false);
}

void Browser::doubleClickFile(const std::string& name) {
    // A double click selects the item, then reports the double click.
    selectFileAndLeave(name);
    PostMessageA(window(), WM_COMMAND, MAKEWPARAM(ID_FILELIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(control(ID_FILELIST)));
}

bool Browser::click(int controlId) {
    return sendAndWait(control(controlId), BM_CLICK, 0, 0);
}

void Browser::clickAndLeave(int controlId) {
    PostMessageA(control(controlId), BM_CLICK, 0, 0);
}

bool Browser::choose(int menuId) {
    return sendAndWait(window(), WM_COMMAND, MAKEWPARAM(menuId, 0), 0);
}

void Browser::chooseAndLeave(int menuId) {
    PostMessageA(window(), WM_COMMAND, MAKEWPARAM(menuId, 0), 0);
}

bool Browser::settle() {
    return sendAndWait(window(), WM_NULL, 0, 0);
}

std::vector<ShownBox> Browser::openBoxes() const {
    std::vector<ShownBox> boxes;
    for (HWND box : topLevelWindows(process_.dwProcessId, "#32770")) {
        if (isMessageBox(box)) {
            boxes.push_back(readBox(box));
        }
    }
    return boxes;
}

std::optional<ShownBox> Browser::answerBox(DWORD timeoutMs) {
    HWND box = nullptr;
    eventually(
        [&] {
            for (HWND candidate : topLevelWindows(process_.dwProcessId, "#32770")) {
                box = isMessageBox(candidate) ? candidate : box;
            }
            return box != nullptr;
        },
        timeoutMs);
    if (box == nullptr) {
        return std::nullopt;
    }
    Sleep(100);  // let it finish drawing before anyone looks at it
    ShownBox shown = readBox(box);
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    eventually([&] { return !IsWindow(box); });
    settle();
    return shown;
}

HWND Browser::waitForSaveDialog(DWORD timeoutMs) const {
    HWND dialog = nullptr;
    eventually(
        [&] {
            dialog = findTopLevel("#32770", kSaveDialogTitle);
            return dialog != nullptr && IsWindowVisible(dialog);
        },
        timeoutMs);
    return dialog;
}

std::string Browser::proposedSaveName(HWND dialog) const {
    char name[MAX_PATH] = "";
    GetDlgItemTextA(dialog, kFileNameBox, name, sizeof name);
    return name;
}

std::vector<std::string> Browser::saveDialogFileTypes(HWND dialog) const {
    return itemTexts(GetDlgItem(dialog, kFileTypeBox), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

void Browser::chooseSaveDialogFileType(HWND dialog, int index) {
    HWND types = GetDlgItem(dialog, kFileTypeBox);
    SendMessageA(types, CB_SETCURSEL, index, 0);
    // A choice with the mouse or keyboard tells the dialog both.
    for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
        sendAndWait(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeBox, notification),
                    reinterpret_cast<LPARAM>(types));
    }
}

void Browser::submitSaveDialog(HWND dialog, const std::string& path) {
    SetDlgItemTextA(dialog, kFileNameBox, path.c_str());
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

bool Browser::saveAs(HWND dialog, const std::string& path) {
    submitSaveDialog(dialog, path);
    return eventually([&] { return !IsWindow(dialog); }) && settle();
}

bool Browser::cancelSave(HWND dialog) {
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return eventually([&] { return !IsWindow(dialog); }) && settle();
}

namespace {

// Moves the pointer to `screenPoint` and presses and releases a button
// there, as a hand on the mouse would.
void clickAt(POINT screenPoint, DWORD down, DWORD up) {
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(screenPoint.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(screenPoint.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    eventually(
        [&] {
            POINT cursor;
            GetCursorPos(&cursor);
            return std::abs(cursor.x - screenPoint.x) <= 1 && std::abs(cursor.y - screenPoint.y) <= 1;
        },
        1000);
    INPUT buttons[2] = {};
    buttons[0].type = INPUT_MOUSE;
    buttons[0].mi.dwFlags = down;
    buttons[1].type = INPUT_MOUSE;
    buttons[1].mi.dwFlags = up;
    SendInput(2, buttons, sizeof(INPUT));
}

}  // namespace

void Browser::activate() {
    POINT background = {86, 120};  // between the check box and the ♪ button
    ClientToScreen(window(), &background);
    clickAt(background, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    eventually([&] { return GetForegroundWindow() == window(); }, 2000);
    settle();
}

void Browser::dismissPopup(HWND popup) {
    pressKey(VK_ESCAPE);
    GUITHREADINFO state = {};
    state.cbSize = sizeof state;
    DWORD thread = GetWindowThreadProcessId(window(), nullptr);
    eventually([&] {
        GetGUIThreadInfo(thread, &state);
        return !IsWindowVisible(popup) && (state.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) == 0;
    });
    settle();
}

HWND Browser::rightClick(POINT clientPoint) {
    activate();
    ClientToScreen(window(), &clientPoint);
    clickAt(clientPoint, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    HWND popup = nullptr;
    eventually(
        [&] {
            std::vector<HWND> menus = topLevelWindows(process_.dwProcessId, "#32768");
            popup = menus.empty() || !IsWindowVisible(menus.front()) ? nullptr : menus.front();
            return popup != nullptr;
        },
        1000);
    if (popup != nullptr) {
        // Have it painted now, then wait until the screen shows the same
        // picture twice: until then the pixels may be what lay beneath.
        RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT area;
        GetWindowRect(popup, &area);
        std::vector<COLORREF> previous;
        eventually(
            [&] {
                std::vector<COLORREF> pixels = capturePixels(area);
                bool stable = pixels == previous;
                previous = pixels;
                return stable;
            },
            2000);
    }
    return popup;
}

bool Browser::popupShowsCheckMark(HWND popup) {
    RECT area;
    GetWindowRect(popup, &area);
    // The mark column lies left of the item texts.
    area.left += 2;
    area.right = area.left + GetSystemMetrics(SM_CXMENUCHECK);
    std::vector<COLORREF> pixels = capturePixels(area);
    return std::any_of(pixels.begin(), pixels.end(), isDark);
}

std::vector<Bytes> Browser::streams() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((sink_ + "\\*.raw").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            names.push_back(entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    // Named by the time each stream opened, all of the same length.
    std::sort(names.begin(), names.end());
    std::vector<Bytes> contents;
    for (const std::string& name : names) {
        contents.push_back(readFileBytes(sink_ + "\\" + name));
    }
    return contents;
}

size_t Browser::streamCount() const {
    return streams().size();
}

size_t Browser::finalStreamSize(size_t stream) const {
    size_t size = SIZE_MAX;
    eventually([&] {
        std::vector<Bytes> before = streams();
        Sleep(300);
        std::vector<Bytes> after = streams();
        if (after.size() <= stream || before.size() <= stream) {
            return false;
        }
        size = after[stream].size();
        return size == before[stream].size();
    });
    return size;
}

int Browser::close() {
    PostMessageA(window(), WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kHandlerTimeoutMs) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}
