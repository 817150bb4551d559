// gfd's command line and commands, run in process: what they print, what
// they write and the exit code.
#include "commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "png_reader.h"
#include "test_files.h"
#include "test_font.h"

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
