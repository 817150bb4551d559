#include "options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "file_system.h"
#include "shift_jis.h"
#include "test_files.h"

namespace {

// Builds an argument list the way a process receives it: program name first.
struct Arguments {
    std::vector<std::string> values;
    std::vector<const char*> pointers;

    Arguments(std::initializer_list<std::string> options) : values{"Typekiln"} {
        values.insert(values.end(), options);
        for (const std::string& v : values)
            pointers.push_back(v.c_str());
    }
};

GenerationSettings startup() {
    GenerationSettings s;
    setStartupSettings(s);
    return s;
}

GenerationSettings parsed(std::initializer_list<std::string> options) {
    GenerationSettings s = startup();
    Arguments a(options);
    parseOptions(s, static_cast<int>(a.pointers.size()), a.pointers.data());
    return s;
}

std::vector<std::string> split(const std::string& line) {
    static BatchArguments arguments;
    splitBatchLine(line.c_str(), arguments);
    return std::vector<std::string>(arguments.values, arguments.values + arguments.count);
}

std::string batchLine(const GenerationSettings& s) {
    char line[kBatchLineBufferBytes];
    size_t length = formatBatchLine(s, line, sizeof line);
    EXPECT_EQ(length, std::strlen(line));
    return line;
}

std::string currentFolder() {
    char folder[kMaxPathBytes];
    getCurrentFolder(folder, sizeof folder);
    return folder;
}

const char kExampleLine[] =
    "Typekiln chars.txt /out,\"font\" /format,2 /width,1 /height,1 /sample,1 /aspect,1.0,1.0 "
    "/face,\"ＭＳ ゴシック\" /size,26 /color,255,255,255 ";

}  // namespace

TEST(ParseOptions, KeywordsMatchExactlyAndCaseSensitively) {
    EXPECT_EQ(parsed({"/Width,2", "/w,2", "/widths,2", "/width2"}).pageWidthIndex, 1);
    EXPECT_EQ(parsed({"/width,2"}).pageWidthIndex, 2);
    EXPECT_EQ(parsed({"/height,3"}).pageHeightIndex, 3);
    EXPECT_EQ(parsed({"/" + std::string(300, 'w') + ",4"}).pageWidthIndex, 1);
}

TEST(ParseOptions, IntegersConvertLikeAtoiAndAreStoredUnchecked) {
    EXPECT_EQ(parsed({"/size,26,99"}).glyphOptions.size, 26);
    EXPECT_EQ(parsed({"/size,abc"}).glyphOptions.size, 0);
    EXPECT_EQ(parsed({"/size,-5"}).glyphOptions.size, -5);
    EXPECT_EQ(parsed({"/size, 12px"}).glyphOptions.size, 12);
    EXPECT_EQ(parsed({"/sample,0"}).glyphOptions.sample, 0);
    EXPECT_EQ(parsed({"/format,5"}).pageFormat, 5);
    EXPECT_EQ(parsed({"/size,99999999999"}).glyphOptions.size, INT32_MAX);
}

TEST(ParseOptions, AspectStoresTwoFloats) {
    GlyphOptions g = parsed({"/aspect,1.5,0.8"}).glyphOptions;
    EXPECT_EQ(g.aspectX, 1.5f);
    EXPECT_EQ(g.aspectY, 0.8f);
}

TEST(ParseOptions, ColoursPackTheLowBytesWith255OnTop) {
    EXPECT_EQ(parsed({"/color,10,20,30"}).glyphOptions.color, 0xFF1E140Au);
    EXPECT_EQ(parsed({"/color,255,0,0"}).glyphOptions.color, 0xFF0000FFu);
    EXPECT_EQ(parsed({"/color,256,0,0"}).glyphOptions.color, 0xFF000000u);
}

TEST(ParseOptions, EdgeAndBevelTurnTheirEffectOn) {
    GlyphOptions g = parsed({"/edge,2,0,0,0", "/bevel,3,1,64,64,64"}).glyphOptions;
    EXPECT_EQ(g.edgeOn, 1);
    EXPECT_EQ(g.edgeSize, 2);
    EXPECT_EQ(g.edgeColor, 0xFF000000u);
    EXPECT_EQ(g.bevelOn, 1);
    EXPECT_EQ(g.bevelSize, 3);
    EXPECT_EQ(g.bevelDirection, 1);
    EXPECT_EQ(g.bevelColor, 0xFF404040u);
}

TEST(ParseOptions, FlagsIgnoreTheirValues) {
    GlyphOptions g = parsed({"/bold,0", "/italic", "/fixpitch,no"}).glyphOptions;
    EXPECT_EQ(g.bold, 1);
    EXPECT_EQ(g.italic, 1);
    EXPECT_EQ(g.fixPitch, 1);
}

TEST(ParseOptions, MissingValuesLeaveTheirFieldsAlone) {
    GenerationSettings s = parsed({"/size", "/color,1", "/aspect,2.0", "/out", "/edge,3"});
    EXPECT_EQ(s.glyphOptions.size, 26);
    EXPECT_EQ(s.glyphOptions.color, 0xFFFFFF01u);
    EXPECT_EQ(s.glyphOptions.aspectX, 2.0f);
    EXPECT_EQ(s.glyphOptions.aspectY, 1.0f);
    EXPECT_STREQ(s.outName, "font");
    EXPECT_EQ(s.glyphOptions.edgeOn, 1);
    EXPECT_EQ(s.glyphOptions.edgeSize, 3);
    EXPECT_EQ(s.glyphOptions.edgeColor, 0xFF000000u);
    EXPECT_EQ(parsed({"/size,"}).glyphOptions.size, 0);  // an empty value is a value
}

TEST(ParseOptions, TextValuesKeepSpacesAndStopAtAComma) {
    EXPECT_STREQ(parsed({"/face,ＭＳ 明朝"}).glyphOptions.face, "ＭＳ 明朝");
    EXPECT_STREQ(parsed({"/face,Arial,Bold"}).glyphOptions.face, "Arial");
    EXPECT_STREQ(parsed({"/out,my font"}).outName, "my font");
    EXPECT_STREQ(parsed({"/out,"}).outName, "");
}

TEST(ParseOptions, OverlongTextIsCutWithoutSplittingACharacter) {
    // 200 two-byte characters: 400 bytes for a 256-byte field.
    std::string longFace;
    for (int i = 0; i < 200; ++i)
        longFace += "あ";
    GenerationSettings s = parsed({"/face," + longFace, "/out," + std::string(1000, 'x')});
    EXPECT_EQ(std::strlen(s.glyphOptions.face), 254u);
    EXPECT_EQ(std::strlen(s.outName), 259u);
}

TEST(ParseOptions, RelativeInputFilesArePutBehindTheCurrentFolder) {
    TemporaryFolder folder;
    CurrentFolderScope scope(folder.path());
    EXPECT_EQ(std::string(parsed({"chars.txt"}).inputPath), currentFolder() + "\\chars.txt");
    EXPECT_EQ(std::string(parsed({"a.txt", "b.txt"}).inputPath), currentFolder() + "\\b.txt");
    EXPECT_EQ(std::string(parsed({""}).inputPath), currentFolder() + "\\");
}

TEST(ParseOptions, AbsoluteInputPathsAreTakenAsTheyStand) {
    EXPECT_STREQ(parsed({"C:\\work\\chars.txt"}).inputPath, "C:\\work\\chars.txt");
    EXPECT_STREQ(parsed({"d:chars.txt"}).inputPath, "d:chars.txt");
    EXPECT_STREQ(parsed({"\\\\server\\share\\chars.txt"}).inputPath, "\\\\server\\share\\chars.txt");
}

TEST(ParseOptions, OverlongInputPathsAreCutToTheField) {
    std::string name;
    for (int i = 0; i < 300; ++i)
        name += "表";
    GenerationSettings s = parsed({"C:\\" + name});
    EXPECT_EQ(std::strlen(s.inputPath), 259u);  // "C:\" and 128 whole characters
    EXPECT_EQ(std::string(s.inputPath, 5), "C:\\" + std::string("表"));
    TemporaryFolder folder;
    CurrentFolderScope scope(folder.path());
    EXPECT_LE(std::strlen(parsed({name}).inputPath), 259u);
}

TEST(SplitBatchLine, TheDialogsLineSplitsIntoItsPieces) {
    EXPECT_EQ(split(kExampleLine),
              (std::vector<std::string>{"Typekiln", "chars.txt", "/out,font", "/format,2", "/width,1",
                                        "/height,1", "/sample,1", "/aspect,1.0,1.0", "/face,ＭＳ ゴシック",
                                        "/size,26", "/color,255,255,255"}));
}

TEST(SplitBatchLine, AFinalTokenWithoutASpaceIsHandedOver) {
    EXPECT_EQ(split("Typekiln a.txt /bold"), (std::vector<std::string>{"Typekiln", "a.txt", "/bold"}));
}

TEST(SplitBatchLine, RepeatedSpacesMakeNoEmptyArgument) {
    EXPECT_EQ(split("Typekiln  /bold   /italic "),
              (std::vector<std::string>{"Typekiln", "/bold", "/italic"}));
}

TEST(SplitBatchLine, OnlyTheFirstLineIsRead) {
    EXPECT_EQ(split("Typekiln a.txt /bold\r\npause\r\n"),
              (std::vector<std::string>{"Typekiln", "a.txt", "/bold"}));
}

TEST(SplitBatchLine, QuotesGroupAndDisappearAndTabsAreTokenBytes) {
    EXPECT_EQ(split("Typekiln \"my chars.txt\" /out,\"a b\"c\t/bold "),
              (std::vector<std::string>{"Typekiln", "my chars.txt", "/out,a bc\t/bold"}));
}

TEST(SplitBatchLine, KeepsAtMost255ArgumentsAnd2047Bytes) {
    std::string many = "Typekiln";
    for (int i = 0; i < 300; ++i)
        many += " /bold";
    std::vector<std::string> tokens = split(many);
    EXPECT_EQ(tokens.size(), 255u);
    std::string huge = "Typekiln " + std::string(3000, 'x') + " /bold";
    tokens = split(huge);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1].size(), 2047u - 9);
}

TEST(BatchLine, StartupSettingsGiveTheExampleLine) {
    GenerationSettings s = startup();
    std::strcpy(s.inputPath, "C:\\work\\chars.txt");
    EXPECT_EQ(batchLine(s), kExampleLine);
}

TEST(BatchLine, EffectsAndFlagsFollowInTheirOrder) {
    GenerationSettings s = parsed({"/edge,2,1,2,3", "/bevel,3,9,4,5,6", "/fixpitch", "/italic", "/bold",
                                   "/aspect,1.5,0.8", "/color,10,20,30"});
    std::strcpy(s.inputPath, "chars.txt");
    EXPECT_EQ(batchLine(s),
              "Typekiln chars.txt /out,\"font\" /format,2 /width,1 /height,1 /sample,1 /aspect,1.5,0.8 "
              "/face,\"ＭＳ ゴシック\" /size,26 /color,10,20,30 /edge,2,1,2,3 /bevel,3,9,4,5,6 /bold /italic "
              "/fixpitch ");
}

TEST(BatchLine, ScalesAreWrittenWithOneDecimal) {
    GenerationSettings s = parsed({"/aspect,1.25,0.04"});
    EXPECT_NE(batchLine(s).find("/aspect,1.2,0.0 "), std::string::npos);
}

TEST(BatchLine, InputNamesWithASpaceAreQuotedAndSurviveALoad) {
    TemporaryFolder folder;
    CurrentFolderScope scope(folder.path());
    GenerationSettings s = startup();
    std::strcpy(s.inputPath, "C:\\work\\my chars.txt");
    const std::string line = batchLine(s);
    EXPECT_EQ(line.rfind("Typekiln \"my chars.txt\" /out,", 0), 0u);
    BatchArguments arguments;
    splitBatchLine(line.c_str(), arguments);
    GenerationSettings loaded = startup();
    parseOptions(loaded, arguments.count, arguments.values);
    EXPECT_EQ(std::string(loaded.inputPath), currentFolder() + "\\my chars.txt");
}

TEST(BatchLine, TheNameIsCutAtARealBackslashNotATrailByte) {
    GenerationSettings s = startup();
    std::strcpy(s.inputPath, "C:\\表示\\表.txt");  // 表 ends in the byte 0x5C
    EXPECT_EQ(batchLine(s).rfind("Typekiln 表.txt /out,", 0), 0u);
}

TEST(BatchLine, SavingAndLoadingKeepsEverySetting) {
    GenerationSettings original =
        parsed({"/out,kiln", "/format,0", "/width,4", "/height,0", "/sample,4", "/aspect,0.5,2.5",
                "/face,ＭＳ 明朝", "/size,40", "/color,1,2,3", "/edge,2,4,5,6", "/bevel,1,3,7,8,9", "/bold",
                "/italic", "/fixpitch", "C:\\fonts\\list.txt"});
    BatchArguments arguments;
    splitBatchLine(batchLine(original).c_str(), arguments);
    TemporaryFolder folder;
    CurrentFolderScope scope(folder.path());
    GenerationSettings loaded = startup();
    parseOptions(loaded, arguments.count, arguments.values);
    EXPECT_EQ(std::string(loaded.inputPath), currentFolder() + "\\list.txt");
    std::memset(loaded.inputPath, 0, sizeof loaded.inputPath);
    std::strcpy(loaded.inputPath, original.inputPath);
    EXPECT_EQ(std::memcmp(&loaded, &original, sizeof loaded), 0);
}
