#pragma once

// Drives the Windows programs of this build from a test, as a person would:
// starts a program in a folder, finds its windows, reads and answers its
// message boxes, fills in and closes its common dialogs, and types and
// clicks. Windows only; every call works across processes unless it says
// otherwise.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/owners.h"

// Polls `condition` every 10 ms until it holds or `timeoutMs` has passed;
// returns its last value.
bool eventually(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// The full path of `program`, which the build puts beside the test programs.
std::string besideTests(const std::string& program);

// --- Windows --------------------------------------------------------------

// The top-level windows of process `processId` of class `className`, with
// the caption `caption` unless that is null, visible or not, in Z order.
std::vector<HWND> topLevelWindows(DWORD processId, const char* className, const char* caption = nullptr);

std::string windowText(HWND window);
std::string classOf(HWND window);
// The text of control `controlId` of `dialog`, asked of the control itself:
// across processes GetWindowTextA reads only the text a control was created
// with, and a combo box keeps its text in its edit field.
std::string controlText(HWND dialog, int controlId);

// Waits until the thread of `window` has handled a message, that is, until
// the program is back in a message loop (its own or a modal one); false when
// it has not after `timeoutMs`.
bool settle(HWND window, DWORD timeoutMs = 15000);
// Sends a message and waits for its handler, at most `timeoutMs`; false when
// the handler did not return in time (it opened a modal box, say).
bool sendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 15000);
// Clicks button `buttonId` of `dialog` without waiting for its handler, as
// the handler of a click that opens or closes a modal window must not be
// waited for.
void pressButton(HWND dialog, int buttonId);
// Waits until `window` has been destroyed.
bool waitUntilGone(HWND window, DWORD timeoutMs = 10000);
// Waits until the screen shows the same picture of `window` twice in a row:
// until then, the pixels may still be what lay beneath it.
void waitUntilDrawn(HWND window);

// The item texts of a list box or combo box, in their order, in code page
// 932 (across processes these messages answer in UTF-16 only).
std::vector<std::string> listBoxItems(HWND listBox);
std::vector<std::string> comboBoxItems(HWND comboBox);

// --- Message boxes ----------------------------------------------------------

// The icon of a message box, told apart by its colours on screen: a yellow
// triangle, a blue disc, a red disc.
enum class BoxIcon { None, Warning, Information, Error };

struct ShownBox {
    std::string caption;
    std::string text;
    BoxIcon icon;
};

// True for a visible message box: a dialog of only static texts and buttons,
// its text in control 0xFFFF. A program's own dialogs and the common dialogs
// have edit fields, lists or other controls.
bool isMessageBox(HWND window);
// Reads a message box as the user sees it; it must have been drawn for its
// icon to be seen (waitUntilDrawn).
ShownBox readBox(HWND box);
// The message boxes process `processId` shows now.
std::vector<ShownBox> openBoxes(DWORD processId);
// Waits for a message box of process `processId`, reads it once drawn,
// presses `buttonId` and waits for it to go. Nothing when none came in time.
std::optional<ShownBox> answerBox(DWORD processId, int buttonId = IDOK, DWORD timeoutMs = 10000);

// Answers every message box of the calling process with OK, from a thread of
// its own, while it lives: for code under test that shows boxes on the test's
// own thread.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Stops watching (finishing an answer under way) and returns the boxes
    // seen, in order.
    std::vector<ShownBox> stop();

private:
    static DWORD WINAPI watch(void* self);
    KernelHandle thread;
    volatile LONG stopping = 0;
    std::vector<ShownBox> boxes;  // written by the watching thread until stop()
};

// --- Common dialogs ---------------------------------------------------------

// Waits for a visible dialog (class #32770) of process `processId` captioned
// `caption`; nullptr when none came in time.
HWND waitForDialog(DWORD processId, const char* caption, DWORD timeoutMs = 10000);

// Open and save dialogs, the explorer style (file name in the combo box
// cmb13) and the old style (edit field edt1) alike.
std::string fileDialogName(HWND dialog);
std::vector<std::string> fileDialogTypes(HWND dialog);
// Picks file type (filter) `index`, as the mouse or keyboard would.
void chooseFileDialogType(HWND dialog, int index);
// Types `path` as the file name and presses OK (Open or Save) without
// waiting: what follows may be a box. Cancel is pressButton(dialog, IDCANCEL).
void submitFileDialog(HWND dialog, const std::string& path);

// --- Keyboard, mouse and screen -----------------------------------------------

// Presses and releases a key, as the keyboard would, in the foreground window.
void pressKey(WORD virtualKey);
enum class MouseButton { Left, Right };
// Moves the pointer to `screenPoint` and presses and releases `button` there.
void clickAt(POINT screenPoint, MouseButton button);
// Screen pixels of `area` (screen coordinates), rows top to bottom.
std::vector<COLORREF> capturePixels(const RECT& area);

// --- Programs -----------------------------------------------------------------

// A program started for a test. Its standard handles are on NUL: ctest waits
// until every holder of its pipes has gone, and what the program starts
// (a text viewer, Wine's services) may live long.
class RunningProgram {
public:
    // Starts `commandLine` (the program's path first) with `folder` as its
    // current directory; started() tells whether that worked. Its standard
    // handles are NUL, but for the output and error handles given, which it
    // inherits.
    RunningProgram(const std::string& commandLine, const std::string& folder, HANDLE output = nullptr,
                   HANDLE errors = nullptr);
    // Ends the process if it still runs.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return bool(process_); }
    DWORD processId() const { return processId_; }
    bool hasEnded() const;
    // Waits for the process to end and returns its exit code; nothing when
    // it still runs after `timeoutMs`.
    std::optional<DWORD> waitForExit(DWORD timeoutMs);
    // Ends the process at once with exit code `code` and waits for it.
    void terminate(UINT code);

    // Waits until the program waits for input for the first time.
    void waitForInputIdle(DWORD timeoutMs = 15000) const;
    // The program's first top-level window of the class (and caption).
    HWND findWindow(const char* className, const char* caption = nullptr) const;

    std::vector<ShownBox> openBoxes() const { return ::openBoxes(processId()); }
    std::optional<ShownBox> answerBox(int buttonId = IDOK, DWORD timeoutMs = 10000) const {
        return ::answerBox(processId(), buttonId, timeoutMs);
    }
    HWND waitForDialog(const char* caption, DWORD timeoutMs = 10000) const {
        return ::waitForDialog(processId(), caption, timeoutMs);
    }

private:
    KernelHandle process_;
    KernelHandle mainThread_;
    DWORD processId_ = 0;
};
