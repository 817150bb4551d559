#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "console/command_line.h"
#include "console/native_batch.h"
#include "tests/test_files/test_files.h"

namespace {

// Arguments as a POSIX system hands them over: UTF-8.
CommandLine commandLine(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "typekiln");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(&argument[0]);
    return readCommandLine(static_cast<int>(argv.size()), argv.data());
}

// A native run in `folder` with its messages caught: the exit code and what
// it said, in UTF-8.
struct NativeRun {
    int exitCode;
    std::string messages;
};

NativeRun runIn(const TemporaryFolder& folder, const std::vector<std::string>& arguments) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    CurrentFolderScope scope(folder.path());
    FILE* messages = std::tmpfile();
    const CommandLine line = commandLine(arguments);
    EXPECT_EQ(line.request, Request::Run);
    const int exitCode = runNativeBatch(line.arguments, messages);
    std::string text(static_cast<size_t>(std::ftell(messages)), '\0');
    std::rewind(messages);
    text.resize(std::fread(&text[0], 1, text.size(), messages));
    std::fclose(messages);
    return {exitCode, text};
}

size_t fileCount(const TemporaryFolder& folder) {
    const auto entries = std::filesystem::directory_iterator(folder.path());
    return static_cast<size_t>(std::distance(begin(entries), end(entries)));
}

}  // namespace

TEST(NativeCommandLine, RequestsAndArgumentsAsTheEngineTakesThem) {
    EXPECT_EQ(commandLine({"--help"}).request, Request::Help);
    EXPECT_EQ(commandLine({"a.txt", "--version"}).request, Request::Version);
    EXPECT_EQ(commandLine({"--faces"}).request, Request::Faces);
    EXPECT_EQ(commandLine({"--fonts"}).request, Request::BadArgument);
    EXPECT_EQ(commandLine({u8"/face,絵\U0001F600"}).request, Request::BadArgument);  // no code page 932 code

    const CommandLine run = commandLine({u8"/face,ＭＳ ゴシック", u8"/work/表.txt", u8"表.txt"});
    ASSERT_EQ(run.request, Request::Run);
    EXPECT_EQ(run.arguments[1], "/face,\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");  // code page 932
    EXPECT_EQ(run.arguments[2], u8"/work/表.txt");  // paths stay as the system names them
    EXPECT_EQ(run.arguments[3], u8"表.txt");
}

TEST(NativeBatch, RefusalsAndFailuresSayWhyAndWriteNothing) {
    TemporaryFolder folder;
    writeFileBytes(folder.file("chars.txt"), "AB");
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"/size,20"}, u8"入力ファイル名が指定されていません"},
        {{"missing.txt"}, u8"入力ファイルが開けません"},
        {{"chars.txt", "/size,0"}, u8"サイズは1以上にしてください"},
        {{"chars.txt", "/face,@IPAGothic"}, u8"縦書き用のフォント"},
    };
    for (const auto& c : cases) {
        const NativeRun run = runIn(folder, c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_NE(run.messages.find(c.message), std::string::npos) << run.messages;
        EXPECT_EQ(fileCount(folder), 1u) << c.message;
    }
}

TEST(NativeBatch, ACharacterWithoutAnImageIsNamedOnALineAndTheRunGoesOn) {
    TemporaryFolder folder;
    writeFileBytes(folder.file("chars.txt"), "A_");  // at 8 pixels the underscore is cut off below
    const NativeRun run = runIn(folder, {"chars.txt", "/size,8", "/out,k"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.messages,
              u8"typekiln: 文字 0x005F「_」は画像がないため空で置きます\n");  // no progress off a terminal
    EXPECT_TRUE(std::filesystem::exists(folder.file("k.gfd")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("k_00.tga")));
}
