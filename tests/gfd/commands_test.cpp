// gfd's command line and commands, run in process: what they print, what
// they write and the exit code.
#include "gfd/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "tests/gfd/fnt_reader.h"
#include "tests/gfd/png_reader.h"
#include "tests/gfd/test_font.h"
#include "tests/test_files/test_files.h"

namespace {

std::vector<ProgramArgument> arguments(const std::vector<std::u32string>& words) {
    std::vector<ProgramArgument> list;
    for (const std::u32string& word : words) {
        std::string ascii;
        for (char32_t c : word) ascii += c < 0x80 ? static_cast<char>(c) : '?';
        list.push_back({ascii, word});
    }
    return list;
}

struct GfdRun {
    int code;
    std::string out;
    std::string err;
};

GfdRun gfd(const std::vector<std::string>& words, const std::u32string& text = U"") {
    std::vector<ProgramArgument> list;
    for (const std::string& word : words) {
        list.push_back({word, std::u32string(word.begin(), word.end())});
        if (word == "TEXT") list.back() = {"TEXT", text};
    }
    GfdRun run{kExitUsage, "", ""};
    Command command;
    std::string error;
    if (parseCommandLine(list, command, error)) {
        run.code = runCommand(command, run.out, run.err);
    } else {
        run.err = error;
    }
    return run;
}

// Makes `link` a second name of the file `target`: a symbolic link, or on
// Windows, where making one needs a privilege, a hard link.
bool linkFile(const std::string& target, const std::string& link) {
#ifdef _WIN32
    return CreateHardLinkA(link.c_str(), target.c_str(), nullptr) != 0;
#else
    return symlink(target.c_str(), link.c_str()) == 0;
#endif
}

FntFont readFnt(const std::string& path) {
    const std::vector<uint8_t> text = readFileBytes(path);
    return parseFnt(std::string(text.begin(), text.end()));
}

}  // namespace

TEST(CommandLine, ReadsEachCommandWithItsOptionsAnywhere) {
    Command command;
    std::string error;
    ASSERT_TRUE(parseCommandLine(arguments({U"render", U"--scale", U"3", U"f.gfd", U"-o", U"x.png", U"あい",
                                            U"--background", U"1,2,255"}),
                                 command, error))
        << error;
    EXPECT_EQ(command.kind, CommandKind::Render);
    EXPECT_EQ(command.font, "f.gfd");
    EXPECT_EQ(command.text, U"あい");
    EXPECT_EQ(command.output, "x.png");
    EXPECT_EQ(command.scale, 3);
    EXPECT_EQ((std::vector<int>{command.background.red, command.background.green, command.background.blue}),
              (std::vector<int>{1, 2, 255}));
    // After "--" everything is an argument, options included.
    ASSERT_TRUE(
        parseCommandLine(arguments({U"render", U"f.gfd", U"-o", U"x.png", U"--", U"-あ"}), command, error));
    EXPECT_EQ(command.text, U"-あ");
    EXPECT_FALSE(parseCommandLine(arguments({U"render", U"f.gfd", U"-o", U"x.png", U"--", U"-あ", U"-o"}),
                                  command, error));
    ASSERT_TRUE(parseCommandLine(arguments({U"export", U"f.gfd", U"-o", U"f.fnt"}), command, error));
    EXPECT_EQ(command.kind, CommandKind::Export);
    ASSERT_TRUE(parseCommandLine(arguments({U"--help"}), command, error));
    EXPECT_EQ(command.kind, CommandKind::Help);
}

TEST(CommandLine, RefusesWhatMakesNoCommand) {
    const std::pair<std::vector<std::u32string>, std::string> refusals[] = {
        {{}, "no command given (check, render or export; --help tells more)"},
        {{U"draw", U"f.gfd"}, "unknown command \"draw\" (check, render or export)"},
        {{U"check"}, "check takes one font"},
        {{U"check", U"f.gfd", U"-o", U"x"}, "\"-o\" is not an option of check"},
        {{U"export", U"f.gfd"}, "export needs -o and the file to write"},
        {{U"export", U"f.gfd", U"-o"}, "-o needs a file name"},
        {{U"export", U"f.gfd", U"-o", U"x", U"--scale", U"2"}, "\"--scale\" is not an option of export"},
        {{U"render", U"f.gfd", U"-o", U"x"}, "render takes a font and a text"},
        {{U"render", U"f.gfd", U"", U"-o", U"x"}, "render needs a text that is not empty"},
        {{U"render", U"f.gfd", U"t", U"-o", U"x", U"--scale", U"0"},
         "--scale needs a whole number from 1 to 16"},
        {{U"render", U"f.gfd", U"t", U"-o", U"x", U"--scale", U"17"},
         "--scale needs a whole number from 1 to 16"},
        {{U"render", U"f.gfd", U"t", U"-o", U"x", U"--scale", U"2x"},
         "--scale needs a whole number from 1 to 16"},
        {{U"render", U"f.gfd", U"t", U"-o", U"x", U"--scale"}, "--scale needs a whole number from 1 to 16"},
        {{U"render", U"f.gfd", U"t", U"-o", U"x", U"--background", U"1,2"},
         "--background needs a colour R,G,B of three numbers from 0 to 255"},
        {{U"render", U"f.gfd", U"t", U"-o", U"x", U"--background", U"1,2,256"},
         "--background needs a colour R,G,B of three numbers from 0 to 255"},
        {{U"export", U"f.gfd", U"-o", U"x", U"--base", U"256"}, "--base needs a whole number from 0 to 255"},
        {{U"check", U"f.gfd", U"--base", U"3"}, "\"--base\" is not an option of check"},
    };
    for (const auto& refusal : refusals) {
        Command command;
        std::string error;
        EXPECT_FALSE(parseCommandLine(arguments(refusal.first), command, error)) << refusal.second;
        EXPECT_EQ(error, refusal.second);
    }
}

TEST(Commands, CheckSummarisesACleanFontAndListsTheFaultsOfADamagedOne) {
    TestFont font;
    font.write();
    GfdRun run = gfd({"check", font.path()});
    EXPECT_EQ(run.code, kExitDone);
    EXPECT_EQ(run.out, font.path() + ": 2 pages, 4 glyphs, font size 10, page size 128 x 128\n");
    EXPECT_EQ(run.err, "");

    for (int slot = 100; slot < 112; ++slot) font.header->slots[slot] = 50;
    font.write();
    run = gfd({"check", font.path()});
    EXPECT_EQ(run.code, kExitFailed);
    EXPECT_EQ(run.err, "gfd: " + font.path() + ": 12 problems\n");
    EXPECT_EQ(run.out.find(font.path() +
                           ": slot 100 (character 0x64) points at record 50, but there are 4 records\n"),
              0u)
        << run.out;
    EXPECT_NE(run.out.find(font.path() + ": ... and 2 more slots pointing past the last record\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 11);
}

TEST(Commands, RenderWritesAnOpaquePngAndNamesMissingCharacters) {
    TestFont font;
    font.write();
    const std::string png = font.folder.file("text.png");
    GfdRun run = gfd({"render", font.path(), "TEXT", "-o", png, "--scale", "2"}, U"AB\nあC");
    EXPECT_EQ(run.code, kExitDone) << run.err;
    EXPECT_EQ(run.out, png + ": 38 x 48 pixels\n");
    EXPECT_EQ(run.err, "gfd: " + font.path() + " has no glyph for C (U+0043); each is an empty box\n");
    const PageImage image = readPng(png);
    EXPECT_EQ(image.width, 38);
    EXPECT_EQ(image.height, 48);
    EXPECT_EQ(image.at(0, 0), 0xFF808080u);  // the default background
    EXPECT_EQ(image.at(6, 4), font.solidPixel(0));

    run = gfd({"render", font.path(), "TEXT", "-o", png, "--scale", "16"}, std::u32string(200, U'A'));
    EXPECT_EQ(run.code, kExitFailed);
    EXPECT_EQ(run.err,
              "gfd: the text makes an image of 32000 x 192 pixels; the most is 16384 a side and 16,777,216 "
              "pixels in all\n");
    run = gfd({"render", font.path(), "TEXT", "-o", png}, U"\n");
    EXPECT_EQ(run.err, "gfd: the text leaves nothing to see\n");
}

TEST(Commands, DamagedFontsAreRefusedInOneLine) {
    TestFont font;
    font.records[1].right = 300;
    font.write();
    const std::string expected = "gfd: " + font.path() +
                                 ": record 1 (page 0, cell 8,0 to 300,12) reaches outside its 128 x 128 page "
                                 "(gfd check lists every fault)\n";
    for (const char* command : {"render", "export"}) {
        const GfdRun run = command == std::string("render")
                               ? gfd({"render", font.path(), "TEXT", "-o", font.folder.file("x.png")}, U"A")
                               : gfd({"export", font.path(), "-o", font.folder.file("x.fnt")});
        EXPECT_EQ(run.code, kExitFailed) << command;
        EXPECT_EQ(run.err, expected) << command;
        EXPECT_EQ(run.out, "") << command;
    }
    writeFileBytes(font.path(), std::string("GFD", 4));
    const GfdRun run = gfd({"check", font.path()});
    EXPECT_EQ(run.code, kExitFailed);
    EXPECT_EQ(run.err,
              "gfd: " + font.path() + ": truncated: 4 bytes, shorter than the 25,700 bytes of the header\n");
}

TEST(Commands, ExportSaysWhatItWrote) {
    TestFont font;
    font.write();
    const GfdRun run = gfd({"export", font.path(), "-o", font.folder.file("x.fnt")});
    EXPECT_EQ(run.code, kExitDone) << run.err;
    EXPECT_EQ(run.out, font.folder.file("x.fnt") + ": 2 pages, 4 glyphs\n");
    EXPECT_TRUE(fileExists(font.folder.file("x_01.png")));
}

// Inputs made to cost the most. What they cost in time and memory is
// measured outside the tests; here each gets its one-line outcome, and the
// count of problems shows that the costly work was not done.
TEST(Commands, HostileInputsAreAnsweredWithoutTheWorkTheyAskFor) {
    struct Hostile {
        const char* what;
        std::vector<TestGlyph> glyphs;
        std::function<void(TestFont&)> make;
        std::vector<std::string> words;  // "FONT" and "OUT" stand for the font and an output
        std::u32string text;
        std::string errorEnd;  // what the error line ends with
    };
    // Every page entry names one page as wide as the damaged header says,
    // with a pixel outside every cell: reading by the header would allocate
    // gigabytes per entry, and find that pixel.
    const auto hugeHeader = [](TestFont& f) {
        f.header->pageWidth = 65535;
        f.header->pageHeight = 16000;
        f.write();
        std::string page = tgaImage(65535, 1);
        page[18 + 4 * 1000 + 3] = '\xFF';
        writeFileBytes(f.folder.file("font_00.tga"), page);
        f.namePagesAlike();
    };
    // 255 pages, each a glyph at its left edge, all named alike: read each
    // time, the one file would fit every page.
    std::vector<TestGlyph> onEveryPage;
    for (int page = 0; page < 255; ++page)
        onEveryPage.push_back({static_cast<uint16_t>(0x8200 + page), page, 4, 0, 0, 0x808080});
    std::u32string eightLines = std::u32string(100, U'A');
    for (int line = 1; line < 8; ++line) eightLines += U"\n" + std::u32string(100, U'A');
    const Hostile cases[] = {
        {"page size beyond any font: no page is read",
         standardGlyphs(),
         hugeHeader,
         {"check", "FONT"},
         U"",
         ": 1 problem\n"},
        {"page size beyond any font: no render",
         standardGlyphs(),
         hugeHeader,
         {"render", "FONT", "TEXT", "-o", "OUT"},
         U"A",
         ": page size 65535 x 16000 is not a font's (128, 256, 512, 1024 or 2048 a side) (gfd check lists "
         "every fault)\n"},
        {"255 page entries naming one file: it is read once",
         onEveryPage,
         [](TestFont& f) {
             f.write();
             f.namePagesAlike();
         },
         {"check", "FONT"},
         U"",
         ": 254 problems\n"},
        {"an image no larger than a side, but too large in all",
         standardGlyphs(),
         [](TestFont& f) { f.write(); },
         {"render", "FONT", "TEXT", "-o", "OUT", "--scale", "16"},
         eightLines,
         ": the text makes an image of 16000 x 1536 pixels; the most is 16384 a side and 16,777,216 pixels "
         "in "
         "all\n"},
    };
    for (const Hostile& hostile : cases) {
        TestFont font(hostile.glyphs);
        hostile.make(font);
        std::vector<std::string> words;
        for (const std::string& word : hostile.words)
            words.push_back(word == "FONT" ? font.path() : word == "OUT" ? font.folder.file("out") : word);
        const GfdRun run = gfd(words, hostile.text);
        EXPECT_EQ(run.code, kExitFailed) << hostile.what;
        const size_t end = hostile.errorEnd.size();
        EXPECT_EQ(run.err.substr(run.err.size() > end ? run.err.size() - end : 0), hostile.errorEnd)
            << hostile.what;
    }
}

// However the output is spelled, gfd does not write over the files it
// reads; the font stays as it was.
TEST(Commands, OutputsThatWouldOverwriteAnInputAreRefused) {
    TestFont font;
    font.write();
    const std::string descriptor = font.path();
    const std::string page = font.folder.file("font_01.tga");
    ASSERT_TRUE(linkFile(descriptor, font.folder.file("link.fnt")));
    ASSERT_TRUE(linkFile(page, font.folder.file("linked_01.png")));
    const std::vector<uint8_t> descriptorBytes = readFileBytes(descriptor);
    const std::vector<uint8_t> pageBytes = readFileBytes(page);
    struct Case {
        std::vector<std::string> words;
        std::string output;  // the output named in the refusal
        std::string input;
    };
    const std::string respelled = font.folder.file(".") + "/font.gfd";
    const Case cases[] = {
        {{"export", descriptor, "-o", descriptor}, descriptor, descriptor},
        {{"export", descriptor, "-o", respelled}, respelled, descriptor},
        {{"export", descriptor, "-o", font.folder.file("link.fnt")},
         font.folder.file("link.fnt"),
         descriptor},
        {{"export", descriptor, "-o", font.folder.file("linked.fnt")},
         font.folder.file("linked_01.png"),
         page},
        {{"render", descriptor, "TEXT", "-o", page}, page, page},
    };
    for (const Case& c : cases) {
        const GfdRun run = gfd(c.words, U"A");
        EXPECT_EQ(run.code, kExitFailed) << c.output;
        EXPECT_EQ(run.err,
                  "gfd: " + c.output + " would overwrite " + c.input + ", which the font is read from\n");
        EXPECT_FALSE(fileExists(font.folder.file("linked_00.png"))) << c.output;
    }
    EXPECT_EQ(readFileBytes(descriptor), descriptorBytes);
    EXPECT_EQ(readFileBytes(page), pageBytes);
}

// Capitals drawn with an outline that covers more pixels than their
// bodies: the base is where the bodies end.
TEST(Commands, ExportSetsTheBaseWhereTheCapitalsBodiesEnd) {
    const uint32_t body = 0xF0F0F0;
    const uint32_t outline = 0xFF302020;
    TestFont font({{0x41, 0, 6, 1, 1, body}, {0x42, 0, 5, 0, 2, body}, {0x82A0, 0, 9, 0, 1, 0x2040E0}});
    for (size_t glyph = 0; glyph < 2; ++glyph) {
        // The block's border, and its three lowest rows, become outline.
        const int left = font.recordOf(glyph).left + 1;
        const int right = left + font.glyphs[glyph].width - 1;
        for (int y = 1; y <= kTestFontSize; ++y)
            for (int x = left; x <= right; ++x)
                if (x == left || x == right || y == 1 || y > kTestFontSize - 3)
                    font.pages[0]->setPixel(x, y, outline);
    }
    font.write();
    const std::string fnt = font.folder.file("x.fnt");
    ASSERT_EQ(gfd({"export", font.path(), "-o", fnt}).code, kExitDone);
    EXPECT_EQ(readFnt(fnt).common.number("base"), 8);  // the bodies' lowest row is row 7
    ASSERT_EQ(gfd({"export", font.path(), "-o", fnt, "--base", "4"}).code, kExitDone);
    EXPECT_EQ(readFnt(fnt).common.number("base"), 4);

    TestFont withoutCapitals({{0x82A0, 0, 9, 0, 1, 0x2040E0}});
    withoutCapitals.write();
    ASSERT_EQ(gfd({"export", withoutCapitals.path(), "-o", fnt}).code, kExitDone);
    EXPECT_EQ(readFnt(fnt).common.number("base"), kTestFontSize + 1);
}
