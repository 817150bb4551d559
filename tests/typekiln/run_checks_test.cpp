#include "frontend_core/run_checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Checked {
    std::string dialog;
    std::string batch;
};

// What each check says of the start-up settings with this output name and
// input path ("" where a run may start).
Checked check(const std::string& outName, const std::string& inputPath, int32_t sample = 1) {
    GenerationSettings s;
    setStartupSettings(s);
    std::strcpy(s.outName, outName.c_str());
    std::strcpy(s.inputPath, inputPath.c_str());
    s.glyphOptions.sample = sample;
    const char* dialog = findDialogRunProblem(s);
    const char* batch = findBatchRunProblem(s);
    return {dialog ? dialog : "", batch ? batch : ""};
}

const char kNoName[] = "データ名が入力されていません";
const char kLongName[] = "データ名が長すぎます\n半角16文字までです";
const char kNoInput[] = "入力ファイル名が指定されていません";

}  // namespace

TEST(RunChecks, TheDialogChecksNameThenInputThenSettingsInThatOrder) {
    EXPECT_EQ(check("", "").dialog, kNoName);  // only the first message
    EXPECT_EQ(check("", "C:\\a.txt", 0).dialog, kNoName);
    EXPECT_EQ(check("abcdefghijklmnop", "").dialog, kNoInput);              // 16 bytes
    EXPECT_EQ(check("abcdefghijklmnopq", "").dialog, kLongName);            // 17 bytes
    EXPECT_EQ(check("表示表示表示表示", "C:\\a.txt").dialog, "");           // 8 full-width: 16 bytes
    EXPECT_EQ(check("表示表示表示表示表", "C:\\a.txt").dialog, kLongName);  // 18 bytes
    EXPECT_EQ(check("font", "C:\\a.txt", 0).dialog, "サンプリング数は1以上にしてください");
}

TEST(RunChecks, BatchModeChecksOnlyTheInputAndTheSettings) {
    EXPECT_EQ(check("", "C:\\a.txt").batch, "");
    EXPECT_EQ(check(std::string(40, 'n'), "C:\\a.txt").batch, "");
    EXPECT_EQ(check("font", "").batch, kNoInput);
    EXPECT_EQ(check("font", "C:\\a.txt", 0).batch, "サンプリング数は1以上にしてください");
}
