#include "program_driver.h"

namespace {

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

struct Search {
    DWORD processId;
    HWND found;
    std::vector<std::string>* dialogs;  // null: not wanted
};

// A message box is a dialog with the static text control 0xFFFF; a dialog
// of the program's own (the progress window) has none.
BOOL CALLBACK findMessageBox(HWND window, LPARAM parameter) {
    Search* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || classOf(window) != "#32770") return TRUE;
    if (GetDlgItem(window, 0xFFFF)) {
        search->found = window;
        return FALSE;
    }
    if (search->dialogs) {
        const std::string seen = windowText(window) + "/" + classOf(GetDlgItem(window, 1028));
        bool known = false;
        for (const std::string& dialog : *search->dialogs) known |= dialog == seen;
        if (!known) search->dialogs->push_back(seen);
    }
    return TRUE;
}

// Reads and closes one message box of the process, if it shows one.
bool answerMessageBox(DWORD processId, std::vector<MessageBoxSeen>& seen,
                      std::vector<std::string>* dialogs = nullptr) {
    Search search = {processId, nullptr, dialogs};
    EnumWindows(findMessageBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    seen.push_back({windowText(search.found), windowText(GetDlgItem(search.found, 0xFFFF))});
    PostMessageA(GetDlgItem(search.found, IDOK), BM_CLICK, 0, 0);
    // Wait for it to go, so that it is not read twice.
    for (int i = 0; i < 200 && IsWindow(search.found) && IsWindowVisible(search.found); ++i) Sleep(10);
    return true;
}

// A temporary file a started program inherits as a standard handle, read
// back once the program has ended; it goes when closed.
class CapturedStream {
public:
    CapturedStream() {
        char folder[MAX_PATH];
        char name[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        GetTempFileNameA(folder, "out", 0, name);
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    ~CapturedStream() {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;

    HANDLE handle() const { return file; }

    std::string text() const {
        std::string all;
        if (file == INVALID_HANDLE_VALUE) return all;
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) all.append(chunk, got);
        return all;
    }

private:
    HANDLE file = INVALID_HANDLE_VALUE;
};

}  // namespace

std::string besideTests(const std::string& program) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + program;
}

ProgramRun runProgram(const std::string& commandLine, const std::string& folder, DWORD timeoutMs) {
    ProgramRun run;
    const CapturedStream output;
    const CapturedStream errors;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.handle();
    startup.hStdError = errors.handle();
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return run;
    }
    const DWORD started = GetTickCount();
    while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
        answerMessageBox(process.dwProcessId, run.boxes, &run.dialogs);
        if (GetTickCount() - started > timeoutMs) {
            TerminateProcess(process.hProcess, 255);
            WaitForSingleObject(process.hProcess, INFINITE);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            return run;
        }
    }
    run.finished = true;
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    run.output = output.text();
    run.errors = errors.text();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

MessageBoxAnswerer::MessageBoxAnswerer() {
    thread = CreateThread(nullptr, 0, watch, this, 0, nullptr);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop();
}

std::vector<MessageBoxSeen> MessageBoxAnswerer::stop() {
    if (thread) {
        InterlockedExchange(&stopping, 1);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        thread = nullptr;
    }
    return boxes;
}

DWORD WINAPI MessageBoxAnswerer::watch(void* parameter) {
    auto* self = static_cast<MessageBoxAnswerer*>(parameter);
    while (!self->stopping) {
        answerMessageBox(GetCurrentProcessId(), self->boxes);
        Sleep(10);
    }
    return 0;
}
