#include "tests/gui_driver/program_driver.h"

#include <algorithm>

#include "win32/owners.h"

namespace {

constexpr DWORD kPollMs = 20;

void noteDialogs(const RunningProgram& program, std::vector<std::string>& dialogs) {
    for (HWND dialog : topLevelWindows(program.processId(), "#32770")) {
        if (!IsWindowVisible(dialog) || isMessageBox(dialog)) {
            continue;
        }
        const std::string seen = windowText(dialog) + "/" + classOf(GetDlgItem(dialog, 1028));
        if (std::find(dialogs.begin(), dialogs.end(), seen) == dialogs.end()) {
            dialogs.push_back(seen);
        }
    }
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
        file.reset(CreateFileA(name, GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    }

    HANDLE handle() const { return file.get(); }

    std::string text() const {
        std::string all;
        if (!file) return all;
        SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) all.append(chunk, got);
        return all;
    }

private:
    KernelHandle file;
};

}  // namespace

ProgramRun runProgram(const std::string& commandLine, const std::string& folder, DWORD timeoutMs) {
    ProgramRun run;
    const CapturedStream output;
    const CapturedStream errors;
    RunningProgram program(commandLine, folder, output.handle(), errors.handle());
    if (!program.started()) {
        return run;
    }
    const DWORD started = GetTickCount();
    while (!program.hasEnded()) {
        if (GetTickCount() - started > timeoutMs) {
            return run;  // the program ends with `program`
        }
        noteDialogs(program, run.dialogs);
        if (std::optional<ShownBox> box = program.answerBox(IDOK, kPollMs)) {
            run.boxes.push_back(*box);
        }
    }
    run.finished = true;
    run.exitCode = *program.waitForExit(0);
    run.output = output.text();
    run.errors = errors.text();
    return run;
}
