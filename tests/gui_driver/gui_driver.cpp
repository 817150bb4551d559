#include "tests/gui_driver/gui_driver.h"

#include <cstdlib>
#include <iterator>

namespace {

// Controls of the common file dialogs.
constexpr int kFileTypeBox = 0x470;            // cmb1
constexpr int kExplorerFileNameBox = 0x47C;    // cmb13
constexpr int kOldStyleFileNameField = 0x480;  // edt1
// The text of a message box.
constexpr int kBoxTextId = 0xFFFF;

int fileNameControlId(HWND dialog) {
    return GetDlgItem(dialog, kExplorerFileNameBox) != nullptr ? kExplorerFileNameBox
                                                               : kOldStyleFileNameField;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;  // nullptr: any
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && classOf(window) == search->className &&
        (search->caption == nullptr || windowText(window) == search->caption)) {
        search->found.push_back(window);
    }
    return TRUE;
}

// Reads the text of item `index` of a list or combo box of another process.
// Such messages come back as UTF-16 across processes; the programs' own code
// page is 932.
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

HWND iconControlOf(HWND box) {
    HWND icon = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) {
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child)) {
                *reinterpret_cast<HWND*>(found) = child;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&icon));
    return icon;
}

BoxIcon iconOf(HWND box) {
    HWND icon = iconControlOf(box);
    RECT area;
    if (icon == nullptr || !GetWindowRect(icon, &area)) {
        return BoxIcon::None;
    }
    int yellow = 0;
    int blue = 0;
    int red = 0;
    for (COLORREF pixel : capturePixels(area)) {
        const int r = GetRValue(pixel), g = GetGValue(pixel), b = GetBValue(pixel);
        yellow += r > 180 && g > 100 && b < 100 ? 1 : 0;
        blue += b > 150 && r < 100 ? 1 : 0;
        red += r > 150 && g < 80 && b < 80 ? 1 : 0;
    }
    constexpr int kEnough = 20;  // pixels of one colour that make a sign
    if (red > kEnough && red > yellow && red > blue) {
        return BoxIcon::Error;
    }
    if (yellow > kEnough && yellow > blue) {
        return BoxIcon::Warning;
    }
    return blue > kEnough ? BoxIcon::Information : BoxIcon::None;
}

}  // namespace

std::string controlText(HWND dialog, int controlId) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, controlId, text, sizeof text);
    return text;
}

bool eventually(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10)) {
        if (condition()) {
            return true;
        }
    }
    return condition();
}

std::string besideTests(const std::string& program) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + program;
}

std::vector<HWND> topLevelWindows(DWORD processId, const char* className, const char* caption) {
    WindowSearch search{processId, className, caption, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string windowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string classOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool settle(HWND window, DWORD timeoutMs) {
    return sendAndWait(window, WM_NULL, 0, 0, timeoutMs);
}

bool sendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    DWORD_PTR result;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) != 0;
}

void pressButton(HWND dialog, int buttonId) {
    PostMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

bool waitUntilGone(HWND window, DWORD timeoutMs) {
    return eventually([&] { return !IsWindow(window); }, timeoutMs);
}

void waitUntilDrawn(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT area;
    GetWindowRect(window, &area);
    std::vector<COLORREF> previous;
    eventually(
        [&] {
            std::vector<COLORREF> pixels = capturePixels(area);
            const bool stable = pixels == previous;
            previous = std::move(pixels);
            return stable;
        },
        2000);
}

std::vector<std::string> listBoxItems(HWND listBox) {
    return itemTexts(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::string> comboBoxItems(HWND comboBox) {
    return itemTexts(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

bool isMessageBox(HWND window) {
    if (!IsWindowVisible(window) || classOf(window) != "#32770" ||
        GetDlgItem(window, kBoxTextId) == nullptr) {
        return false;
    }
    bool onlyTextsAndButtons = true;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM result) {
            const std::string type = classOf(child);
            if (type != "Static" && type != "Button") {
                *reinterpret_cast<bool*>(result) = false;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&onlyTextsAndButtons));
    return onlyTextsAndButtons;
}

ShownBox readBox(HWND box) {
    return {windowText(box), controlText(box, kBoxTextId), iconOf(box)};
}

std::vector<ShownBox> openBoxes(DWORD processId) {
    std::vector<ShownBox> boxes;
    for (HWND window : topLevelWindows(processId, "#32770")) {
        if (isMessageBox(window)) {
            boxes.push_back(readBox(window));
        }
    }
    return boxes;
}

std::optional<ShownBox> answerBox(DWORD processId, int buttonId, DWORD timeoutMs) {
    HWND box = nullptr;
    eventually(
        [&] {
            for (HWND window : topLevelWindows(processId, "#32770")) {
                box = isMessageBox(window) ? window : box;
            }
            return box != nullptr;
        },
        timeoutMs);
    if (box == nullptr) {
        return std::nullopt;
    }
    waitUntilDrawn(box);
    ShownBox shown = readBox(box);
    pressButton(box, buttonId);
    // Gone before anyone looks again, so that it is never read twice.
    waitUntilGone(box);
    return shown;
}

MessageBoxAnswerer::MessageBoxAnswerer() {
    thread.reset(CreateThread(nullptr, 0, watch, this, 0, nullptr));
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop();
}

std::vector<ShownBox> MessageBoxAnswerer::stop() {
    if (thread) {
        InterlockedExchange(&stopping, 1);
        WaitForSingleObject(thread.get(), INFINITE);
        thread.reset();
    }
    return boxes;
}

DWORD WINAPI MessageBoxAnswerer::watch(void* parameter) {
    auto* self = static_cast<MessageBoxAnswerer*>(parameter);
    while (!self->stopping) {
        if (std::optional<ShownBox> box = answerBox(GetCurrentProcessId(), IDOK, 10)) {
            self->boxes.push_back(*box);
        }
    }
    return 0;
}

HWND waitForDialog(DWORD processId, const char* caption, DWORD timeoutMs) {
    HWND dialog = nullptr;
    eventually(
        [&] {
            std::vector<HWND> found = topLevelWindows(processId, "#32770", caption);
            dialog = found.empty() || !IsWindowVisible(found.front()) ? nullptr : found.front();
            return dialog != nullptr;
        },
        timeoutMs);
    return dialog;
}

std::string fileDialogName(HWND dialog) {
    return controlText(dialog, fileNameControlId(dialog));
}

std::vector<std::string> fileDialogTypes(HWND dialog) {
    return comboBoxItems(GetDlgItem(dialog, kFileTypeBox));
}

void chooseFileDialogType(HWND dialog, int index) {
    HWND types = GetDlgItem(dialog, kFileTypeBox);
    SendMessageA(types, CB_SETCURSEL, index, 0);
    // A choice with the mouse or keyboard tells the dialog both.
    for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
        sendAndWait(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeBox, notification),
                    reinterpret_cast<LPARAM>(types));
    }
}

void submitFileDialog(HWND dialog, const std::string& path) {
    SetDlgItemTextA(dialog, fileNameControlId(dialog), path.c_str());
    pressButton(dialog, IDOK);
}

void pressKey(WORD virtualKey) {
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = virtualKey;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void clickAt(POINT screenPoint, MouseButton button) {
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
    const bool left = button == MouseButton::Left;
    INPUT buttons[2] = {};
    buttons[0].type = INPUT_MOUSE;
    buttons[0].mi.dwFlags = left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    buttons[1].type = INPUT_MOUSE;
    buttons[1].mi.dwFlags = left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    SendInput(2, buttons, sizeof(INPUT));
}

std::vector<COLORREF> capturePixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const WindowDc screen(nullptr);
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const GdiObject<HBITMAP> bitmap(
        CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    const SelectedObject selection(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int i = 0; bits != nullptr && i < width * height; ++i) {
        DWORD bgrx = static_cast<const DWORD*>(bits)[i];
        pixels.push_back(RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF));
    }
    return pixels;
}

RunningProgram::RunningProgram(const std::string& commandLine, const std::string& folder, HANDLE output,
                               HANDLE errors) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    const KernelHandle nothing(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0,
                                           nullptr));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nothing.get();
    startup.hStdOutput = output ? output : nothing.get();
    startup.hStdError = errors ? errors : nothing.get();
    std::string line = commandLine;  // CreateProcessA may write into it
    PROCESS_INFORMATION created = {};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                       &created)) {
        process_.reset(created.hProcess);
        mainThread_.reset(created.hThread);
        processId_ = created.dwProcessId;
    }
}

RunningProgram::~RunningProgram() {
    if (started() && !hasEnded()) {
        terminate(255);
    }
}

bool RunningProgram::hasEnded() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
}

std::optional<DWORD> RunningProgram::waitForExit(DWORD timeoutMs) {
    if (!started() || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void RunningProgram::terminate(UINT code) {
    TerminateProcess(process_.get(), code);
    WaitForSingleObject(process_.get(), INFINITE);
}

void RunningProgram::waitForInputIdle(DWORD timeoutMs) const {
    WaitForInputIdle(process_.get(), timeoutMs);
}

HWND RunningProgram::findWindow(const char* className, const char* caption) const {
    std::vector<HWND> found = topLevelWindows(processId(), className, caption);
    return found.empty() ? nullptr : found.front();
}
