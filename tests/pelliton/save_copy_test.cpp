// Saving a copy of the selected file through the save dialog, with and
// without the one-line log, and what it does to playback.

#include <windows.h>

#include <gtest/gtest.h>

#include "pelliton/resource.h"
#include "tests/pelliton/browser_driver.h"

namespace {

bool stopsShort(const Browser& browser, size_t fullBytes) {
    return browser.finalStreamSize(0) < fullBytes;
}

using Names = std::vector<std::string>;

// The log's time stamp as the browser writes it, for the moment `now`.
std::string stampOf(const SYSTEMTIME& now) {
    char date[256] = "";
    char time[256] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, &now, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

// Gives the user's short date format `format` for the life of the object.
// The browser reads it when it starts.
class ShortDateFormat {
public:
    explicit ShortDateFormat(const char* format) {
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, previous, sizeof previous);
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format);
    }
    ~ShortDateFormat() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, previous); }
    ShortDateFormat(const ShortDateFormat&) = delete;
    ShortDateFormat& operator=(const ShortDateFormat&) = delete;

private:
    char previous[80] = "";
};

std::string textOfFile(const std::string& path) {
    Bytes bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class SaveCopy : public testing::Test {
protected:
    SaveCopy() {
        wav = folders.addFile("sounds\\a.wav", makeWav(0.2));
        longWav = folders.addFile("sounds\\long.wav", makeWav(20));
        ogg = folders.addFile("sounds\\bang.ogg",
                              readFileBytes(std::string(VOX_TEST_DATA) + "\\tone-stereo.ogg"));
        folders.addFile("sounds\\long.ogg", readFileBytes(std::string(VOX_TEST_DATA) + "\\long-mono.ogg"));
    }

    std::string target(const char* name) const { return folders.elsewhere() + "\\" + name; }

    // Saves bang.ogg as `name` with the log option on, and checks the copy
    // and its log: the date, the time and the source on one line.
    void expectCopyWithLog(const char* name) {
        Browser browser(folders);
        ASSERT_TRUE(browser.click(ID_LOGCHECK));
        ASSERT_TRUE(browser.selectFile("bang.ogg"));
        browser.chooseAndLeave(IDM_SAVE);
        HWND dialog = browser.waitForSaveDialog();
        ASSERT_NE(dialog, nullptr);
        SYSTEMTIME before, after;
        GetLocalTime(&before);
        ASSERT_TRUE(browser.saveAs(dialog, target(name)));
        GetLocalTime(&after);

        EXPECT_EQ(readFileBytes(target(name)), readFileBytes(ogg));
        const std::string log = textOfFile(target(name) + ".txt");
        const std::string source = " Copied from " + ogg;
        EXPECT_TRUE(log == stampOf(before) + source || log == stampOf(after) + source) << log;
        EXPECT_TRUE(browser.openBoxes().empty());
    }

    // Selects `file` (which plays it) and presses 保存; returns the save
    // dialog, or nullptr when none opened.
    static HWND saveDialogFor(Browser& browser, const std::string& file) {
        EXPECT_TRUE(browser.selectFile(file));
        browser.clickAndLeave(ID_SAVE);
        return browser.waitForSaveDialog();
    }

    TestFolders folders;
    std::string wav, longWav, ogg;
};

TEST_F(SaveCopy, CopiesTheSelectedFileUnderTheChosenNameWithoutALogWhenTheOptionIsOff) {
    Browser browser(folders);
    HWND dialog = saveDialogFor(browser, "a.wav");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(fileDialogName(dialog), "a.wav");
    EXPECT_EQ(fileDialogTypes(dialog),
              (Names{"サウンドファイル(*.wav;*.mid;*.mp3;*.ogg)", "すべてのファイル(*.*)"}));
    ASSERT_TRUE(browser.saveAs(dialog, target("copy.wav")));

    EXPECT_EQ(readFileBytes(target("copy.wav")), readFileBytes(wav));
    EXPECT_FALSE(fileExists(target("copy.wav.txt")));
    EXPECT_TRUE(browser.openBoxes().empty());
}

TEST_F(SaveCopy, WithTheLogOptionOnWritesAOneLineLogBesideTheCopy) {
    expectCopyWithLog("new.ogg");
}

// A short date that names the weekday runs well past the 14 characters of
// the usual one; the log holds it whole.
TEST_F(SaveCopy, TheLogHoldsALongUserDateFormatWhole) {
    ShortDateFormat withWeekday("yyyy'年'M'月'd'日'dddd");
    SYSTEMTIME now;
    GetLocalTime(&now);
    ASSERT_GT(stampOf(now).find(' '), 14u);
    expectCopyWithLog("dated.ogg");
}

// With the sound-file filter chosen, the dialog adds that filter's first
// extension itself; with "all files" it adds the default the browser gives.
TEST_F(SaveCopy, ANameWithoutExtensionGetsTheSoundsOwnUnderAllFiles) {
    Browser browser(folders);
    HWND dialog = saveDialogFor(browser, "bang.ogg");
    ASSERT_NE(dialog, nullptr);
    chooseFileDialogType(dialog, 1);
    ASSERT_TRUE(browser.saveAs(dialog, target("plain")));
    EXPECT_EQ(readFileBytes(target("plain.ogg")), readFileBytes(ogg));
}

TEST_F(SaveCopy, SavingStopsAWavThatPlaysEvenWhenTheDialogIsCancelled) {
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("long.wav"));
    ASSERT_TRUE(eventually([&] { return browser.streamCount() == 1; }));
    browser.clickAndLeave(ID_SAVE);
    HWND dialog = browser.waitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(fileIsHeldOpen(longWav));
    EXPECT_TRUE(stopsShort(browser, samplesOfWav(makeWav(20)).size()));

    ASSERT_TRUE(browser.cancelSave(dialog));
    EXPECT_EQ(browser.streamCount(), 1u);
    EXPECT_FALSE(fileExists(target("long.wav")));
}

TEST_F(SaveCopy, SavingStopsAnOggVorbisSoundThatPlays) {
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("long.ogg"));
    ASSERT_TRUE(eventually([&] { return browser.streamCount() == 1 && !browser.streams()[0].empty(); }));
    browser.clickAndLeave(ID_SAVE);
    HWND dialog = browser.waitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(stopsShort(browser, 8u * 22050 * 2));
    ASSERT_TRUE(browser.cancelSave(dialog));
}

TEST_F(SaveCopy, DoubleClickPlaysTheFileThenItsSaveDialogStopsIt) {
    Browser browser(folders);
    browser.doubleClickFile("long.wav");
    HWND dialog = browser.waitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(fileDialogName(dialog), "long.wav");
    ASSERT_TRUE(eventually([&] { return browser.streamCount() == 1; }));
    EXPECT_FALSE(fileIsHeldOpen(longWav));
    EXPECT_TRUE(stopsShort(browser, samplesOfWav(makeWav(20)).size()));
    ASSERT_TRUE(browser.cancelSave(dialog));
}

TEST_F(SaveCopy, SavingOverAFileAndItsLogReplacesBothWithoutAQuestion) {
    writeFileBytes(target("old.wav"), "old");
    writeFileBytes(target("old.wav.txt"), "old log");
    Browser browser(folders);
    ASSERT_TRUE(browser.click(ID_LOGCHECK));
    HWND dialog = saveDialogFor(browser, "a.wav");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(browser.saveAs(dialog, target("old.wav")));

    EXPECT_TRUE(browser.openBoxes().empty());  // no question asked
    EXPECT_EQ(readFileBytes(target("old.wav")), readFileBytes(wav));
    const std::string log = textOfFile(target("old.wav.txt"));
    EXPECT_EQ(log.find("old log"), std::string::npos);
    EXPECT_NE(log.find(" Copied from " + wav), std::string::npos);
}

// The dialog opens in the previous target's folder with its name proposed,
// so that accepting the proposal saves there again.
TEST_F(SaveCopy, ASecondSaveProposesThePreviousTargetUntilTheNextSelection) {
    Browser browser(folders);
    HWND dialog = saveDialogFor(browser, "a.wav");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(browser.saveAs(dialog, target("first.wav")));
    DeleteFileA(target("first.wav").c_str());

    browser.clickAndLeave(ID_SAVE);
    dialog = browser.waitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(fileDialogName(dialog), "first.wav");
    ASSERT_TRUE(browser.saveAs(dialog, fileDialogName(dialog)));
    EXPECT_EQ(readFileBytes(target("first.wav")), readFileBytes(wav));

    dialog = saveDialogFor(browser, "a.wav");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(fileDialogName(dialog), "a.wav");
    ASSERT_TRUE(browser.cancelSave(dialog));
}

// Copying a file onto itself fails and must leave it whole; the log would
// claim a copy that was never made.
TEST_F(SaveCopy, ACopyThatFailsIsReportedAndWritesNoLog) {
    const Bytes original = readFileBytes(wav);
    Browser browser(folders);
    ASSERT_TRUE(browser.click(ID_LOGCHECK));
    HWND dialog = saveDialogFor(browser, "a.wav");
    ASSERT_NE(dialog, nullptr);
    submitFileDialog(dialog, wav);

    std::optional<ShownBox> box = browser.answerBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Pelliton");
    EXPECT_EQ(box->text, "ファイルのコピーに失敗しました。");
    EXPECT_EQ(box->icon, BoxIcon::Warning);
    EXPECT_EQ(readFileBytes(wav), original);
    EXPECT_FALSE(fileExists(wav + ".txt"));
}

TEST_F(SaveCopy, ALogThatCannotBeCreatedIsReportedAndTheCopyStays) {
    CreateDirectoryA(target("copy.wav.txt").c_str(), nullptr);
    Browser browser(folders);
    ASSERT_TRUE(browser.click(ID_LOGCHECK));
    HWND dialog = saveDialogFor(browser, "a.wav");
    ASSERT_NE(dialog, nullptr);
    submitFileDialog(dialog, target("copy.wav"));

    std::optional<ShownBox> box = browser.answerBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "ログファイルの作成に失敗しました。");
    EXPECT_EQ(box->icon, BoxIcon::Warning);
    EXPECT_EQ(readFileBytes(target("copy.wav")), readFileBytes(wav));
}

TEST_F(SaveCopy, SaveWithNothingSelectedOpensNoDialog) {
    Browser browser(folders);
    ASSERT_TRUE(browser.click(ID_SAVE));
    ASSERT_TRUE(browser.choose(IDM_SAVE));
    EXPECT_EQ(browser.waitForSaveDialog(300), nullptr);
    EXPECT_TRUE(browser.openBoxes().empty());
}

}  // namespace
