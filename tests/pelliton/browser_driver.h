#pragma once

// Drives Pelliton_ogg.exe from a test as a person would: builds a start
// folder, starts the program in it, finds its window and controls, selects,
// clicks and chooses menu items, answers message boxes and the save dialog,
// and reads what reached the disk and the sound card.
//
// Every browser plays into the sink of its test (record-stream.sh): each
// sound stream it opens becomes one file in the test's sink folder.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/gui_driver/gui_driver.h"
#include "tests/gui_driver/sound_sink.h"
#include "tests/test_files/test_files.h"

// True while some process (an open MCI device) holds the file open with
// others denied writing.
bool fileIsHeldOpen(const std::string& path);

// A 16-bit mono PCM WAV file of `seconds` of a 441 Hz tone at `rate`.
Bytes makeWav(double seconds, int rate = 22050);
// The sample data of a WAV file made by makeWav.
Bytes samplesOfWav(const Bytes& wav);

// A test's own folder, made empty when the test starts: the browser's start
// folder, a sink folder and a folder for saved copies, with helpers to fill
// them. The start folder begins as the program is installed, with a copy of
// Vox.dll (the one the browser loads) in it.
class TestFolders {
public:
    // Named after the running test (or `name`), under the working folder.
    TestFolders();
    explicit TestFolders(const std::string& name);
    TestFolders(const TestFolders&) = delete;
    TestFolders& operator=(const TestFolders&) = delete;

    const std::string& root() const { return root_; }
    std::string start() const { return root_ + "\\start"; }
    std::string elsewhere() const { return root_ + "\\elsewhere"; }
    std::string sink() const { return root_ + "\\sink"; }

    // Creates `relative` (and its parents) under the start folder.
    void addFolder(const std::string& relative);
    // Writes a file under the start folder; returns its full path.
    std::string addFile(const std::string& relative, const Bytes& bytes);
    void removeVoxDll();

private:
    std::string root_;
};

class Browser {
public:
    // Starts Pelliton_ogg.exe in `folders.start()`, playing into
    // `folders.sink()`, and waits until it waits for input.
    explicit Browser(const TestFolders& folders);
    // Closes the window if the test has not, and makes sure the process ends.
    ~Browser();
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;

    HWND window() const;  // the main window, once created
    HWND control(int id) const;

    // Texts of the combo box and list box items, in their order.
    std::vector<std::string> folderItems() const;
    std::vector<std::string> fileItems() const;
    int selectedFolder() const;  // -1 for none
    int selectedFile() const;
    bool logChecked() const;

    // Chooses a folder or file as a click in the control would (the control
    // changes its selection and tells the window). Returns once handled;
    // false if the item is missing or the handler did not return (a box).
    bool selectFolder(const std::string& name);
    bool selectFile(const std::string& name);
    // The same, for handlers that open a box or dialog: does not wait.
    void selectFileAndLeave(const std::string& name);
    void doubleClickFile(const std::string& name);

    // Clicks a button or chooses a menu item; the send form waits for the
    // handler, the post form does not.
    bool click(int controlId);
    void clickAndLeave(int controlId);
    bool choose(int menuId);
    void chooseAndLeave(int menuId);

    // Waits until the program is back in a message loop (its own or a box's).
    bool settle();

    // Right-clicks at `clientPoint` of the main window with the mouse and
    // returns the popup menu that opens, or nullptr when none opens.
    HWND rightClick(POINT clientPoint);
    // Closes an open popup menu with Escape and waits until the program has
    // left the menu.
    void dismissPopup(HWND popup);
    // Brings the main window to the front with a click on its background,
    // so that the keyboard talks to it.
    void activate();
    // True when the popup's check-mark column shows a mark: ログ付保存 is
    // the only item that can carry one.
    static bool popupShowsCheckMark(HWND popup);

    // The browser's open message boxes.
    std::vector<ShownBox> openBoxes() const { return program_.openBoxes(); }
    // Waits for a message box, reads it, presses OK and waits until the
    // browser is back in its message loop.
    std::optional<ShownBox> answerBox(DWORD timeoutMs = 10000);

    // Waits for the save dialog (file names and types: gui_driver.h).
    HWND waitForSaveDialog(DWORD timeoutMs = 10000) const;
    // Types `path` as the file name and presses Save, or presses Cancel;
    // waits for the dialog to go and the program to settle. A save that
    // ends in a message box is submitFileDialog instead, which does not wait.
    bool saveAs(HWND dialog, const std::string& path);
    bool cancelSave(HWND dialog);

    // Every sound stream the browser has opened so far, in order; their
    // sizes, without reading them; their count.
    std::vector<Bytes> streams() const;
    std::vector<size_t> streamSizes() const;
    size_t streamCount() const;
    // The size of a stream once it has stopped growing (played out or
    // stopped).
    size_t finalStreamSize(size_t stream) const;

    // Closes the window with WM_CLOSE; returns the process's exit code, or
    // -1 if it did not end.
    int close();
    DWORD processId() const { return program_.processId(); }

private:
    // Selects item `index` of a list or combo box and tells the window, as a
    // click in the control would; waits for the handler when `wait` is set.
    bool pick(int controlId, UINT setSelection, WORD notification, int index, bool wait);

    std::string sink_;
    RunningProgram program_;
    mutable HWND window_ = nullptr;
};
