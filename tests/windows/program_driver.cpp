#include "program_driver.h"

#include <algorithm>

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

}  // namespace

ProgramRun runProgram(const std::string& commandLine, const std::string& folder, DWORD timeoutMs) {
    ProgramRun run;
    RunningProgram program(commandLine, folder);
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
    return run;
}
