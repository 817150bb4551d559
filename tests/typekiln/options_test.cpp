#include "engine/options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tests/test_files/test_files.h"

namespace {

GenerationSettings startup() {
    GenerationSettings s;
    setStartupSettings(s);
    return s;
}

// Applies options the way a process receives them: program name first.
GenerationSettings parsed(std::vector<std::string> options) {
    options.insert(options.begin(), "Typekiln");
    std::vector<const char*> arguments;
    for (const std::string& option : options) arguments.push_back(option.c_str());
    GenerationSettings s = startup();
    parseOptions(s, static_cast<int>(arguments.size()), arguments.data());
    return s;
}

std::vector<std::string> split(const std::string& line) {
    static BatchArguments arguments;
    splitBatchLine(line.c_str(), arguments);
    return std::vector<std::string>(arguments.values, arguments.values + arguments.count);
}

std::string batchLine(const GenerationSettings& s) {
    char line[kBatchLineBufferBytes];
    EXPECT_GT(formatBatchLine(s, line, sizeof line), 0u);
    return line;
}

std::string currentFolder() {
    char folder[kMaxPathBytes];
    getCurrentFolder(folder, sizeof folder);
    return folder;
}

// Where an absolute path starts, before its first folder separator.
#ifdef _WIN32
const char kAbsoluteRoot[] = "C:";
#else
const char kAbsoluteRoot[] = "";
#endif

const char kExampleLine[] =
    "Typekiln chars.txt /out,\"font\" /format,2 /width,1 /height,1 /sample,1 /aspect,1.0,1.0 "
    "/face,\"ＭＳ ゴシック\" /size,26 /color,255,255,255 ";

}  // namespace

TEST(ParseOptions, KeywordsMatchExactlyAndCaseSensitively) {
    EXPECT_EQ(parsed({"/Width,2", "/w,2", "/widths,2", "/width2", "/" + std::string(300, 'w') + ",4"})
                  .pageWidthIndex,
              1);
    EXPECT_EQ(parsed({"/width,2"}).pageWidthIndex, 2);
}

TEST(ParseOptions, ValuesConvertLikeAtoiAndAtofAndAreStoredUnchecked) {
    EXPECT_EQ(parsed({"/size,26,99"}).glyphOptions.size, 26);
    EXPECT_EQ(parsed({"/size,abc"}).glyphOptions.size, 0);
    EXPECT_EQ(parsed({"/size,-5"}).glyphOptions.size, -5);
    EXPECT_EQ(parsed({"/format,5"}).pageFormat, 5);
    const GlyphOptions g =
        parsed({"/aspect,1.5,0.8", "/color,10,20,30", "/edge,2,0,0,0", "/bevel,3,1,64,64,64", "/bold,0",
                "/italic", "/fixpitch,no", "/face,ＭＳ 明朝"})
            .glyphOptions;
    EXPECT_EQ(g.aspectX, 1.5f);
    EXPECT_EQ(g.aspectY, 0.8f);
    EXPECT_EQ(g.color, 0xFF1E140Au);  // red low, 255 on top
    EXPECT_EQ(g.edgeOn * 100 + g.edgeSize, 102);
    EXPECT_EQ(g.edgeColor, 0xFF000000u);
    EXPECT_EQ(g.bevelOn * 100 + g.bevelSize * 10 + g.bevelDirection, 131);
    EXPECT_EQ(g.bevelColor, 0xFF404040u);
    EXPECT_EQ(g.bold + g.italic + g.fixPitch, 3);  // flags ignore their values
    EXPECT_STREQ(g.face, "ＭＳ 明朝");
    EXPECT_EQ(parsed({"/color,256,0,0"}).glyphOptions.color, 0xFF000000u);
    EXPECT_STREQ(parsed({"/face,Arial,Bold"}).glyphOptions.face, "Arial");
}

TEST(ParseOptions, MissingValuesLeaveTheirFieldsAlone) {
    GenerationSettings s = parsed({"/size", "/color,1", "/aspect,2.0", "/out", "/edge,3"});
    EXPECT_EQ(s.glyphOptions.size, 26);
    EXPECT_EQ(s.glyphOptions.color, 0xFFFFFF01u);
    EXPECT_EQ(s.glyphOptions.aspectY, 1.0f);
    EXPECT_STREQ(s.outName, "font");
    EXPECT_EQ(s.glyphOptions.edgeSize, 3);
    EXPECT_EQ(parsed({"/size,"}).glyphOptions.size, 0);  // an empty value is a value
}

TEST(ParseOptions, OverlongTextIsCutWithoutSplittingACharacter) {
    std::string kanji;
    for (int i = 0; i < 300; ++i) kanji += "表";
    // An absolute list name, so that the current folder does not shift the
    // cut; its folder name keeps the characters at odd offsets.
    const std::string folder = std::string(kAbsoluteRoot) + kFolderSeparator + "a" + kFolderSeparator;
    GenerationSettings s = parsed({"/face," + kanji, "/out," + std::string(1000, 'x'), folder + kanji});
    EXPECT_EQ(std::strlen(s.glyphOptions.face), 254u);
    EXPECT_EQ(std::strlen(s.outName), 259u);
    EXPECT_EQ(std::strlen(s.inputPath), 259u);  // the folder and whole characters
}

TEST(ParseOptions, InputFilesAreTakenFromTheCurrentFolderUnlessAbsolute) {
    TemporaryFolder folder;
    CurrentFolderScope scope(folder.path());
    EXPECT_EQ(std::string(parsed({"a.txt", "chars.txt"}).inputPath),
              currentFolder() + kFolderSeparator + "chars.txt");
    EXPECT_EQ(std::string(parsed({""}).inputPath), currentFolder() + kFolderSeparator);
#ifdef _WIN32
    for (const char* path : {"C:\\work\\chars.txt", "d:chars.txt", "\\\\server\\share\\c.txt"})
        EXPECT_STREQ(parsed({path}).inputPath, path);
#else
    // An absolute path starts with a slash like an option, and is told apart
    // by a second slash before any comma, or by naming a file.
    writeFileBytes(folder.file("c.txt"), "A");
    const std::string rootFile = folder.path() + "/c.txt";
    for (const std::string& path : {std::string("/work/chars.txt"), std::string("/work/a,b.txt"), rootFile})
        EXPECT_EQ(std::string(parsed({path}).inputPath), path);
    EXPECT_STREQ(parsed({"/size,30/2"}).inputPath, "");  // an option, whatever follows the comma
    EXPECT_EQ(parsed({"/size,30/2"}).glyphOptions.size, 30);
#endif
}

TEST(ParseOptions, InputFileStaysRelativeWhenTheCurrentFolderIsTooLongToPrefix) {
    TemporaryFolder folder;
    std::filesystem::path deep = folder.path();
    while (deep.string().size() < kMaxPathBytes) {
        deep /= std::string(60, 'd');
        std::filesystem::create_directory(deep);
    }
    std::error_code error;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(deep, error);
    if (error) GTEST_SKIP() << "this system cannot enter a folder that long";
    const GenerationSettings s = parsed({"chars.txt"});
    std::filesystem::current_path(previous);
    EXPECT_STREQ(s.inputPath, "chars.txt");
}

TEST(SplitBatchLine, SpacesSeparateAndQuotesGroup) {
    EXPECT_EQ(split(kExampleLine),
              (std::vector<std::string>{"Typekiln", "chars.txt", "/out,font", "/format,2", "/width,1",
                                        "/height,1", "/sample,1", "/aspect,1.0,1.0", "/face,ＭＳ ゴシック",
                                        "/size,26", "/color,255,255,255"}));
    // The last token needs no space; repeated spaces make no empty argument.
    EXPECT_EQ(split("Typekiln  a.txt   /bold"), (std::vector<std::string>{"Typekiln", "a.txt", "/bold"}));
    EXPECT_EQ(split("Typekiln \"my chars.txt\" /out,\"a b\"c\t/x "),
              (std::vector<std::string>{"Typekiln", "my chars.txt", "/out,a bc\t/x"}));
    // A batch file may go on with other commands: only its first line counts.
    EXPECT_EQ(split("Typekiln a.txt /bold\r\npause\r\n"),
              (std::vector<std::string>{"Typekiln", "a.txt", "/bold"}));
}

TEST(SplitBatchLine, KeepsAtMost255ArgumentsAnd2047Bytes) {
    std::string many = "Typekiln";
    for (int i = 0; i < 300; ++i) many += " /bold";
    EXPECT_EQ(split(many).size(), 255u);
    const std::vector<std::string> huge = split("Typekiln " + std::string(3000, 'x') + " /bold");
    ASSERT_EQ(huge.size(), 2u);
    EXPECT_EQ(huge[1].size(), 2047u - 9);
}

TEST(BatchLine, StartupSettingsGiveTheExampleLine) {
    GenerationSettings s = startup();
    std::snprintf(s.inputPath, sizeof s.inputPath, "%s%cwork%cchars.txt", kAbsoluteRoot, kFolderSeparator,
                  kFolderSeparator);
    EXPECT_EQ(batchLine(s), kExampleLine);
    // The name is cut at a real separator, not at the trail byte of 表.
    std::snprintf(s.inputPath, sizeof s.inputPath, "%s%c表示%c表.txt", kAbsoluteRoot, kFolderSeparator,
                  kFolderSeparator);
    EXPECT_EQ(batchLine(s).rfind("Typekiln 表.txt /out,", 0), 0u);
}

TEST(BatchLine, EffectsAndFlagsFollowInTheirOrder) {
    GenerationSettings s = parsed({"/edge,2,1,2,3", "/bevel,3,9,4,5,6", "/fixpitch", "/italic", "/bold",
                                   "/aspect,1.25,0.8", "/color,10,20,30", "chars.txt"});
    EXPECT_EQ(batchLine(s),
              "Typekiln chars.txt /out,\"font\" /format,2 /width,1 /height,1 /sample,1 /aspect,1.25,0.8 "
              "/face,\"ＭＳ ゴシック\" /size,26 /color,10,20,30 /edge,2,1,2,3 /bevel,3,9,4,5,6 /bold /italic "
              "/fixpitch ");
}

TEST(BatchLine, SavingAndLoadingKeepsEverySettingAndSpacedNames) {
    GenerationSettings original = parsed(
        {"/out,kiln", "/format,0", "/width,4", "/height,0", "/sample,4", "/aspect,0.5,2.5", "/face,ＭＳ 明朝",
         "/size,40", "/color,1,2,3", "/edge,2,4,5,6", "/bevel,1,3,7,8,9", "/bold", "/italic", "/fixpitch",
         std::string(kAbsoluteRoot) + kFolderSeparator + "fonts" + kFolderSeparator + "my list.txt"});
    BatchArguments arguments;
    splitBatchLine(batchLine(original).c_str(), arguments);
    TemporaryFolder folder;
    CurrentFolderScope scope(folder.path());
    GenerationSettings loaded = startup();
    parseOptions(loaded, arguments.count, arguments.values);
    EXPECT_EQ(std::string(loaded.inputPath), currentFolder() + kFolderSeparator + "my list.txt");
    std::memset(loaded.inputPath, 0, sizeof loaded.inputPath);
    std::strcpy(loaded.inputPath, original.inputPath);
    EXPECT_EQ(std::memcmp(&loaded, &original, sizeof loaded), 0);
}

TEST(BatchLine, ScalesSurviveASaveAndLoadAndOneDecimalLinesStillRead) {
    for (const char* scales : {"1.26,0.8", "1.25,3.0", "0.333,1e-3", "12345.678,0.1"}) {
        const GenerationSettings original = parsed({std::string("/aspect,") + scales});
        std::vector<std::string> tokens = split(batchLine(original));
        tokens.erase(tokens.begin());  // the program word
        const GenerationSettings loaded = parsed(tokens);
        EXPECT_EQ(loaded.glyphOptions.aspectX, original.glyphOptions.aspectX) << scales;
        EXPECT_EQ(loaded.glyphOptions.aspectY, original.glyphOptions.aspectY) << scales;
    }
    EXPECT_NE(batchLine(parsed({"/aspect,1.26,1.3"})).find("/aspect,1.26,1.3 "), std::string::npos);
    EXPECT_EQ(parsed({"/aspect,1.3,0.8"}).glyphOptions.aspectX, 1.3f);  // as lines with one decimal say
}
