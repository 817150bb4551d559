#include "tests/pelliton/browser_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "pelliton/resource.h"
#include "win32/owners.h"

namespace {

constexpr DWORD kHandlerTimeoutMs = 15000;
const char kSaveDialogTitle[] = "ファイルの保存";

void removeTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    const SearchHandle search(FindFirstFileA((path + "\\*").c_str(), &entry));
    if (search) {
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
        } while (FindNextFileA(search.get(), &entry));
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

int indexOf(const std::vector<std::string>& items, const std::string& name) {
    auto found = std::find(items.begin(), items.end(), name);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

}  // namespace

bool fileIsHeldOpen(const std::string& path) {
    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
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
    CopyFileA(besideTests("Vox.dll").c_str(), (start() + "\\Vox.dll").c_str(), FALSE);
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

Browser::Browser(const TestFolders& folders)
    : sink_(folders.sink()), program_("\"" + besideTests("Pelliton_ogg.exe") + "\"", folders.start()) {
    if (!program_.started()) {
        ADD_FAILURE() << "cannot start " << besideTests("Pelliton_ogg.exe");
        return;
    }
    // Ready when the window is up, or a box stopped its creation half way.
    program_.waitForInputIdle(kHandlerTimeoutMs);
    eventually([&] { return (window() != nullptr && IsWindowVisible(window())) || !openBoxes().empty(); });
}

Browser::~Browser() {
    if (!program_.started()) {
        return;
    }
    if (!program_.hasEnded()) {
        for (const ShownBox& box : openBoxes()) {
            ADD_FAILURE() << "box left open: " << box.caption << ": " << box.text;
        }
        // Every test ends with the way out a user takes, so that shutdown
        // runs each time too.
        if (close() == -1) {
            ADD_FAILURE() << "the browser did not end when its window was closed";
            program_.terminate(1);
        }
    }
    const DWORD code = program_.waitForExit(0).value_or(1);
    EXPECT_EQ(code, 0u) << "the browser ended with code " << std::hex << code;
}

HWND Browser::window() const {
    if (window_ == nullptr) {
        window_ = program_.findWindow("NORMAL0");
    }
    return window_;
}

HWND Browser::control(int id) const {
    return GetDlgItem(window(), id);
}

std::vector<std::string> Browser::folderItems() const {
    return comboBoxItems(control(ID_FOLDERBOX));
}

std::vector<std::string> Browser::fileItems() const {
    return listBoxItems(control(ID_FILELIST));
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
    return sendAndWait(window(), WM_COMMAND, command, reinterpret_cast<LPARAM>(from), kHandlerTimeoutMs);
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
    return sendAndWait(control(controlId), BM_CLICK, 0, 0, kHandlerTimeoutMs);
}

void Browser::clickAndLeave(int controlId) {
    pressButton(window(), controlId);
}

bool Browser::choose(int menuId) {
    return sendAndWait(window(), WM_COMMAND, MAKEWPARAM(menuId, 0), 0, kHandlerTimeoutMs);
}

void Browser::chooseAndLeave(int menuId) {
    PostMessageA(window(), WM_COMMAND, MAKEWPARAM(menuId, 0), 0);
}

bool Browser::settle() {
    return ::settle(window(), kHandlerTimeoutMs);
}

std::optional<ShownBox> Browser::answerBox(DWORD timeoutMs) {
    std::optional<ShownBox> shown = program_.answerBox(IDOK, timeoutMs);
    if (shown) {
        settle();
    }
    return shown;
}

HWND Browser::waitForSaveDialog(DWORD timeoutMs) const {
    return program_.waitForDialog(kSaveDialogTitle, timeoutMs);
}

bool Browser::saveAs(HWND dialog, const std::string& path) {
    submitFileDialog(dialog, path);
    return waitUntilGone(dialog) && settle();
}

bool Browser::cancelSave(HWND dialog) {
    pressButton(dialog, IDCANCEL);
    return waitUntilGone(dialog) && settle();
}

void Browser::activate() {
    POINT background = {86, 120};  // between the check box and the ♪ button
    ClientToScreen(window(), &background);
    clickAt(background, MouseButton::Left);
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
    clickAt(clientPoint, MouseButton::Right);
    HWND popup = nullptr;
    eventually(
        [&] {
            popup = program_.findWindow("#32768");
            return popup != nullptr && IsWindowVisible(popup);
        },
        1000);
    if (popup == nullptr || !IsWindowVisible(popup)) {
        return nullptr;
    }
    waitUntilDrawn(popup);
    return popup;
}

bool Browser::popupShowsCheckMark(HWND popup) {
    RECT area;
    GetWindowRect(popup, &area);
    // The mark column lies left of the item texts.
    area.left += 2;
    area.right = area.left + GetSystemMetrics(SM_CXMENUCHECK);
    std::vector<COLORREF> pixels = capturePixels(area);
    return std::any_of(pixels.begin(), pixels.end(), [](COLORREF pixel) {
        return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 200;  // dark
    });
}

std::vector<Bytes> Browser::streams() const {
    return soundStreams(sink_);
}

std::vector<size_t> Browser::streamSizes() const {
    return soundStreamSizes(sink_);
}

size_t Browser::streamCount() const {
    return streamSizes().size();
}

size_t Browser::finalStreamSize(size_t stream) const {
    size_t size = SIZE_MAX;
    eventually([&] {
        std::vector<size_t> before = streamSizes();
        Sleep(300);
        std::vector<size_t> after = streamSizes();
        if (after.size() <= stream || before.size() <= stream) {
            return false;
        }
        size = after[stream];
        return size == before[stream];
    });
    return size;
}

int Browser::close() {
    PostMessageA(window(), WM_CLOSE, 0, 0);
    std::optional<DWORD> code = program_.waitForExit(kHandlerTimeoutMs);
    return code ? static_cast<int>(*code) : -1;
}
