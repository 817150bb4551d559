#include "file_system.h"

#include <gtest/gtest.h>

#include <string>

#include "page_memory.h"
#include "test_files.h"

TEST(FileSystem, WholeFilesReplaceWhatWasThere) {
    TemporaryFolder folder;
    const std::string path = folder.file("out.bin");
    writeFileBytes(path, std::string(1000, 'x'));
    ASSERT_TRUE(writeWholeFile(path.c_str(), "abc", 3));
    EXPECT_EQ(readFileBytes(path), (std::vector<uint8_t>{'a', 'b', 'c'}));
    ASSERT_TRUE(writeWholeFile(path.c_str(), "", 0));
    EXPECT_TRUE(readFileBytes(path).empty());
    EXPECT_FALSE(writeWholeFile(folder.file("no/such/folder.bin").c_str(), "abc", 3));
}

TEST(FileSystem, CurrentFolderRoundTrips) {
    TemporaryFolder folder;
    char before[260];
    ASSERT_GT(getCurrentFolder(before, sizeof before), 0u);
    ASSERT_TRUE(setCurrentFolder(folder.path().c_str()));
    writeWholeFile("here.txt", "1", 1);
    EXPECT_TRUE(fileExists(folder.file("here.txt")));
    ASSERT_TRUE(setCurrentFolder(before));
    EXPECT_FALSE(setCurrentFolder(folder.file("missing").c_str()));
    char tiny[2];
    EXPECT_EQ(getCurrentFolder(tiny, sizeof tiny), 0u);
    EXPECT_STREQ(tiny, "");
}

TEST(PageMemory, BlocksComeZeroFilled) {
    EXPECT_EQ(allocatePages(0), nullptr);
    auto* block = static_cast<unsigned char*>(allocatePages(1 << 20));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < (1 << 20); i += 4093)
        EXPECT_EQ(block[i], 0);
    releasePages(block);
    releasePages(nullptr);
}
