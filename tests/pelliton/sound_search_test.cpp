// The folder combo box and the sound file list: what they offer, in which
// order, their limits, refreshing, and selections whose path is too long.

#include <windows.h>

#include <gtest/gtest.h>

#include "pelliton/resource.h"
#include "tests/pelliton/browser_driver.h"

namespace {

using Names = std::vector<std::string>;

const Bytes kShortWav = makeWav(0.05);

std::string numbered(const char* prefix, int number, const char* suffix) {
    char name[64];
    wsprintfA(name, "%s%03d%s", prefix, number, suffix);
    return name;
}

TEST(SoundSearch, OffersPlainSubfoldersSortedAndListsTheFirstOnesSounds) {
    TestFolders folders;
    folders.addFile("beta\\b.wav", kShortWav);
    folders.addFile("Alpha\\a.wav", kShortWav);
    folders.addFolder("gamma");
    folders.addFolder("hidden");
    folders.addFolder("system");
    SetFileAttributesA((folders.start() + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((folders.start() + "\\system").c_str(), FILE_ATTRIBUTE_SYSTEM);
    folders.addFile("in-start.wav", kShortWav);

    Browser browser(folders);
    EXPECT_EQ(browser.folderItems(), (Names{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(browser.selectedFolder(), 0);
    EXPECT_EQ(browser.fileItems(), (Names{"a.wav"}));
    EXPECT_EQ(browser.selectedFile(), -1);
}

TEST(SoundSearch, ListsSoundFilesOfAnyLetterCaseAndNothingElse) {
    TestFolders folders;
    for (const char* name :
         {"d.mp3", "B.WAV", "a.wav", "c.Ogg", "e.MID", "wave", "x.ogg.bak", "wav", "f.txt"}) {
        folders.addFile(std::string("sounds\\") + name, kShortWav);
    }
    folders.addFolder("sounds\\folder.wav");  // a directory, whatever its name

    Browser browser(folders);
    EXPECT_EQ(browser.fileItems(), (Names{"a.wav", "B.WAV", "c.Ogg", "d.mp3", "e.MID"}));
}

TEST(SoundSearch, StartFolderWithoutSubfoldersListsItsOwnSounds) {
    TestFolders folders;
    folders.addFile("own.wav", kShortWav);

    Browser browser(folders);
    EXPECT_TRUE(browser.folderItems().empty());
    EXPECT_EQ(browser.selectedFolder(), -1);
    EXPECT_EQ(browser.fileItems(), (Names{"own.wav"}));
    // Its path has two separators before the name; it plays all the same.
    ASSERT_TRUE(browser.selectFile("own.wav"));
    EXPECT_TRUE(browser.openBoxes().empty());
    EXPECT_TRUE(eventually([&] { return browser.streams() == std::vector<Bytes>{samplesOfWav(kShortWav)}; }));
}

TEST(SoundSearch, NinetyEightSubfoldersFitWithoutAMessage) {
    TestFolders folders;
    for (int i = 0; i < 98; ++i) {
        folders.addFolder(numbered("folder", i, ""));
    }
    Browser browser(folders);
    EXPECT_TRUE(browser.openBoxes().empty());
    EXPECT_EQ(browser.folderItems().size(), 98u);
}

// With "." and "..", 99 subfolders are the 101st directory entry.
TEST(SoundSearch, TheHundredAndFirstDirectoryEntryStopsTheSearchWithAMessage) {
    for (int subfolders : {99, 120}) {
        TestFolders folders;
        for (int i = 0; i < subfolders; ++i) {
            folders.addFolder(numbered("folder", i, ""));
        }
        Browser browser(folders);
        std::optional<ShownBox> box = browser.answerBox();
        ASSERT_TRUE(box) << subfolders;
        EXPECT_EQ(box->caption, "Pelliton");
        EXPECT_EQ(box->text, "検索するフォルダが多すぎます。");
        EXPECT_EQ(box->icon, BoxIcon::Warning);
        ASSERT_TRUE(browser.settle());
        EXPECT_TRUE(browser.openBoxes().empty());
        EXPECT_EQ(browser.folderItems().size(), 99u) << subfolders;
    }
}

TEST(SoundSearch, TwoHundredFilesFitWithoutAMessage) {
    TestFolders folders;
    for (int i = 0; i < 200; ++i) {
        folders.addFile(numbered("sounds\\file", i, i < 10 ? ".wav" : ".txt"), {});
    }
    Browser browser(folders);
    EXPECT_TRUE(browser.openBoxes().empty());
    EXPECT_EQ(browser.fileItems().size(), 10u);
}

TEST(SoundSearch, TheTwoHundredAndFirstFileStopsTheSearchWithAMessage) {
    TestFolders folders;
    for (int i = 0; i < 250; ++i) {
        folders.addFile(numbered("sounds\\file", i, ".wav"), {});
    }
    Browser browser(folders);
    std::optional<ShownBox> box = browser.answerBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "検索するファイルが多すぎます。");
    EXPECT_EQ(box->icon, BoxIcon::Warning);
    ASSERT_TRUE(browser.settle());
    EXPECT_EQ(browser.fileItems().size(), 201u);
}

TEST(SoundSearch, ChoosingAFolderListsItsSoundsWithNothingSelected) {
    TestFolders folders;
    folders.addFile("one\\first.wav", kShortWav);
    folders.addFile("two\\second.ogg", kShortWav);
    folders.addFile("two\\third.mid", kShortWav);

    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("first.wav"));
    ASSERT_TRUE(browser.selectFolder("two"));
    EXPECT_EQ(browser.fileItems(), (Names{"second.ogg", "third.mid"}));
    EXPECT_EQ(browser.selectedFile(), -1);
}

TEST(SoundSearch, RefreshFindsNewFoldersAndSelectsTheFirstAgain) {
    TestFolders folders;
    folders.addFile("beta\\b.wav", kShortWav);
    folders.addFile("gamma\\g.wav", kShortWav);

    Browser browser(folders);
    ASSERT_TRUE(browser.selectFolder("gamma"));
    folders.addFile("alpha\\new.wav", kShortWav);
    ASSERT_TRUE(browser.click(ID_REFRESH));
    EXPECT_EQ(browser.folderItems(), (Names{"alpha", "beta", "gamma"}));
    EXPECT_EQ(browser.selectedFolder(), 0);
    EXPECT_EQ(browser.fileItems(), (Names{"new.wav"}));

    // The menu item does the same.
    ASSERT_TRUE(browser.selectFolder("beta"));
    ASSERT_TRUE(browser.choose(IDM_REFRESH));
    EXPECT_EQ(browser.selectedFolder(), 0);
    EXPECT_EQ(browser.fileItems(), (Names{"new.wav"}));
}

// A path that the file search can still reach (folder and pattern within
// MAX_PATH) but that, with the file name, is longer than MAX_PATH.
TEST(SoundSearch, SelectionWhosePathIsTooLongIsNeitherPlayedNorSaved) {
    TestFolders folders;
    const std::string folder = "f" + std::string(240 - folders.start().size() - 2, 'x');
    const std::string name = std::string(40, 'n') + ".wav";
    folders.addFolder(folder);
    // Too long for the A functions: made from inside the folder.
    const std::string folderPath = folders.start() + "\\" + folder;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folderPath.c_str()));
    writeFileBytes(name, kShortWav);
    SetCurrentDirectoryA(previous);

    Browser browser(folders);
    ASSERT_EQ(browser.fileItems(), (Names{name}));
    browser.selectFileAndLeave(name);
    std::optional<ShownBox> box = browser.answerBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "選択したファイルへのパスが長すぎます。");
    EXPECT_EQ(box->icon, BoxIcon::Warning);

    browser.clickAndLeave(ID_SAVE);
    EXPECT_EQ(browser.waitForSaveDialog(500), nullptr);
    ASSERT_TRUE(browser.settle());
    EXPECT_TRUE(browser.openBoxes().empty());
    EXPECT_EQ(browser.streamCount(), 0u);
}

}  // namespace
